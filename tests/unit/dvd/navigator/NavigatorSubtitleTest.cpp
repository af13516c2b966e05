// Subtitles on our navigator: a stream's units drawn over the title at their times when the
// display is on and not when it is off, and forced units drawn either way.
#include <gtest/gtest.h>

#include <objbase.h>

#include "MenuGraph.h"

using namespace navtest;

namespace {

// Where the menu volume's subtitle bars lie: the lower one in title 1, the forced upper one in
// title 2.
constexpr POINT kLowBar{360, 450};
constexpr POINT kTopBar{360, 130};

class NavigatorSubtitle : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        nav = std::make_unique<NavGraph>(MenuDiscIfo("menus"));
        ASSERT_EQ(S_OK, nav->rendered);
        ASSERT_TRUE(nav->Prepare());
        ASSERT_HRESULT_SUCCEEDED(nav->Play());
        ASSERT_TRUE(nav->WaitFor(EC_DVD_STILL_ON));
    }
    void TearDown() override {
        nav.reset();
        ::CoUninitialize();
    }
    void PlayTitle(ULONG title) {
        nav->Mark();
        ASSERT_HRESULT_SUCCEEDED(nav->control->PlayTitle(title, DVD_CMD_FLAG_Block, nullptr));
        ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE,
                                 [title](const Event& e) { return e.p1 == static_cast<LONG_PTR>(title); }));
        ASSERT_TRUE(nav->WaitFor(EC_DVD_CURRENT_HMSF_TIME));
    }
    std::unique_ptr<NavGraph> nav;
};

std::string Text(Colour c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

bool NotWhite(Colour c) {
    return !IsWhite(c);
}

TEST_F(NavigatorSubtitle, AStreamSwitchedOnShowsItsUnitsAndOffHidesThem) {
    ASSERT_NO_FATAL_FAILURE(PlayTitle(1));
    ULONG count = 0, current = 9;
    WINBOOL disabled = FALSE;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentSubpicture(&count, &current, &disabled));
    EXPECT_EQ(1u, count);
    EXPECT_TRUE(disabled);  // the machine starts with the display off
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kLowBar, IsRed, &c)) << Text(c);

    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->SelectSubpictureStream(0, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_HRESULT_SUCCEEDED(nav->control->SetSubpictureState(TRUE, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_SUBPICTURE_STREAM_CHANGE, [](const Event& e) { return e.p2 == TRUE; }));
    EXPECT_TRUE(WaitForColour(*nav, kLowBar, IsWhite, &c, 4000)) << Text(c);
    // Only where the unit lies.
    EXPECT_TRUE(WaitForColour(
        *nav, POINT{360, 300}, [](Colour x) { return IsRed(x) || IsGreen(x); }, &c))
        << Text(c);

    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->SetSubpictureState(FALSE, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_SUBPICTURE_STREAM_CHANGE, [](const Event& e) { return e.p2 == FALSE; }));
    EXPECT_TRUE(WaitForColour(*nav, kLowBar, NotWhite, &c, 4000)) << Text(c);
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentSubpicture(&count, &current, &disabled));
    EXPECT_TRUE(disabled);
}

// The display switched on before any stream was chosen (the machine's register names none, as
// when the player turns subpictures on at the start of a disc) shows the first stream.
TEST_F(NavigatorSubtitle, TheDisplaySwitchedOnBeforeAStreamIsChosenShowsTheFirst) {
    ASSERT_HRESULT_SUCCEEDED(nav->control->SetSubpictureState(TRUE, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_NO_FATAL_FAILURE(PlayTitle(1));
    ULONG count = 0, current = 9;
    WINBOOL disabled = TRUE;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentSubpicture(&count, &current, &disabled));
    EXPECT_EQ(0u, current);
    EXPECT_FALSE(disabled);
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kLowBar, IsWhite, &c, 6000)) << Text(c);
}

TEST_F(NavigatorSubtitle, AForcedUnitShowsWithTheDisplayOffUntilItsStop) {
    ASSERT_NO_FATAL_FAILURE(PlayTitle(2));
    ULONG count = 0, current = 9;
    WINBOOL disabled = FALSE;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentSubpicture(&count, &current, &disabled));
    EXPECT_TRUE(disabled);
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kTopBar, IsWhite, &c, 3000)) << Text(c);
    // It stops at 2.5 s of the title's 3; the blue shows again.
    EXPECT_TRUE(WaitForColour(*nav, kTopBar, IsBlue, &c, 5000)) << Text(c);
}

}  // namespace
