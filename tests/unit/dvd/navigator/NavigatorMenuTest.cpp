// Our navigator's menus in a real Wine graph, on volumes authored with dvdauthor and spumux: the
// main menu's buttons drawn with their highlight, chosen by keys and by the mouse, the title set's
// menus, and the answers of a volume without menus.
#include <gtest/gtest.h>

#include <objbase.h>

#include "MenuGraph.h"

using namespace navtest;

namespace {

class NavigatorMenu : public ::testing::Test {
protected:
    void SetUp() override { ::CoInitialize(nullptr); }
    void TearDown() override {
        nav.reset();
        ::CoUninitialize();
    }
    void Open(const std::string& volume) {
        nav = std::make_unique<NavGraph>(MenuDiscIfo(volume));
        ASSERT_EQ(S_OK, nav->rendered);
        ASSERT_TRUE(nav->Prepare());
    }
    // Plays the menu volume until its main menu is on the screen.
    void StartOnMainMenu() {
        ASSERT_NO_FATAL_FAILURE(Open("menus"));
        ASSERT_HRESULT_SUCCEEDED(nav->Play());
        ASSERT_TRUE(nav->WaitFor(EC_DVD_DOMAIN_CHANGE,
                                 [](const Event& e) { return e.p1 == DVD_DOMAIN_VideoManagerMenu; }));
        ASSERT_TRUE(nav->WaitFor(EC_DVD_STILL_ON));
    }
    // Activates button `button` of the menu on the screen by the keys, as the engine does.
    void Choose(int button) {
        ULONG count = 0, current = 0;
        ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentButton(&count, &current));
        if (static_cast<int>(current) != button) {
            nav->Mark();
            ASSERT_HRESULT_SUCCEEDED(nav->control->SelectRelativeButton(DVD_Relative_Lower));
            ASSERT_TRUE(
                nav->WaitFor(EC_DVD_BUTTON_CHANGE, [button](const Event& e) { return e.p2 == button; }));
        }
        nav->Mark();
        ASSERT_HRESULT_SUCCEEDED(nav->control->ActivateButton());
    }
    // From the main menu into title `title`, until its picture shows.
    void PlayTitleFromMenu(int title) {
        ASSERT_NO_FATAL_FAILURE(Choose(title));
        ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE, [title](const Event& e) { return e.p1 == title; }));
        ASSERT_TRUE(nav->WaitFor(EC_DVD_CURRENT_HMSF_TIME));
    }
    std::unique_ptr<NavGraph> nav;
};

bool DomainIs(const Event& e, DVD_DOMAIN domain) {
    return e.p1 == domain;
}

std::string Text(Colour c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

TEST_F(NavigatorMenu, TheDiscOpensOnItsMainMenuWithButtonOneHighlighted) {
    StartOnMainMenu();
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kButtonOne, IsYellow, &c)) << Text(c);
    EXPECT_TRUE(WaitForColour(*nav, kButtonTwo, IsWhite, &c)) << Text(c);
    EXPECT_TRUE(WaitForColour(*nav, POINT{100, 300}, IsDark, &c)) << Text(c);
    ULONG count = 0, current = 0;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentButton(&count, &current));
    EXPECT_EQ(2u, count);
    EXPECT_EQ(1u, current);
    RECT r{};
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetButtonRect(1, &r));
    EXPECT_EQ(200, r.left);
    EXPECT_EQ(160, r.top);
}

// A renderer that paints nothing of its own when its window changes size (Wine's) shows a menu
// held still at the new size all the same, not a black or cut-off picture.
TEST_F(NavigatorMenu, AStillMenuShowsAgainWhenItsWindowChangesSize) {
    ASSERT_NO_FATAL_FAILURE(Open("menus"));
    OwnerWindow owner(*nav, RECT{0, 0, 720, 576}, WS_POPUP);
    ASSERT_TRUE(owner.Ok());
    owner.PlaceRenderer(RECT{0, 0, 720, 576});
    ASSERT_HRESULT_SUCCEEDED(nav->Play());
    ASSERT_TRUE(nav->WaitFor(EC_DVD_STILL_ON));
    Colour c;
    EXPECT_TRUE(owner.WaitForShown(kButtonOne, IsYellow, &c)) << Text(c);
    for (RECT size : {RECT{0, 0, 360, 288}, RECT{0, 0, 540, 432}}) {
        owner.PlaceRenderer(size);
        EXPECT_TRUE(owner.WaitForShown(kButtonOne, IsYellow, &c)) << size.right << ": " << Text(c);
        EXPECT_TRUE(owner.WaitForShown(kButtonTwo, IsWhite, &c)) << size.right << ": " << Text(c);
    }
}

TEST_F(NavigatorMenu, DownMovesTheHighlightAndEnterPlaysButtonTwosTitle) {
    StartOnMainMenu();
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->SelectRelativeButton(DVD_Relative_Lower));
    Event change;
    ASSERT_TRUE(nav->WaitFor(
        EC_DVD_BUTTON_CHANGE, [](const Event& e) { return e.p2 == 2; }, 8000, &change));
    EXPECT_EQ(2, change.p1);  // the count of buttons
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kButtonTwo, IsYellow, &c)) << Text(c);
    EXPECT_TRUE(WaitForColour(*nav, kButtonOne, IsWhite, &c)) << Text(c);
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->ActivateButton());
    ASSERT_TRUE(
        nav->WaitFor(EC_DVD_DOMAIN_CHANGE, [](const Event& e) { return DomainIs(e, DVD_DOMAIN_Title); }));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 2; }));
    EXPECT_TRUE(WaitForColour(*nav, POINT{360, 400}, IsBlue, &c)) << Text(c);
    // The title has no buttons.
    ULONG count = 9, current = 9;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentButton(&count, &current));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(0u, current);
}

TEST_F(NavigatorMenu, TheTitleMenuDuringPlaybackReturnsToTheMenuAndResumeGoesBack) {
    StartOnMainMenu();
    ASSERT_NO_FATAL_FAILURE(PlayTitleFromMenu(1));
    ASSERT_TRUE(nav->WaitForTime(1000));
    nav->Mark();
    IDvdCmd* cmd = nullptr;
    ASSERT_HRESULT_SUCCEEDED(nav->control->ShowMenu(DVD_MENU_Title, DVD_CMD_FLAG_Flush, &cmd));
    ASSERT_NE(nullptr, cmd);
    EXPECT_HRESULT_SUCCEEDED(cmd->WaitForEnd());
    cmd->Release();
    ASSERT_TRUE(nav->WaitFor(EC_DVD_DOMAIN_CHANGE,
                             [](const Event& e) { return DomainIs(e, DVD_DOMAIN_VideoManagerMenu); }));
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kButtonOne, IsYellow, &c)) << Text(c);
    // In a menu, time jumps, scans and chapters are the title's and are refused.
    DVD_HMSF_TIMECODE at{0, 0, 1, 0};
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->PlayAtTime(&at, DVD_CMD_FLAG_Block, nullptr));
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->PlayForwards(4.0, DVD_CMD_FLAG_None, nullptr));
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->PlayBackwards(2.0, DVD_CMD_FLAG_None, nullptr));
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->PlayNextChapter(DVD_CMD_FLAG_None, nullptr));
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->PlayChapter(2, DVD_CMD_FLAG_Block, nullptr));
    DVD_PLAYBACK_LOCATION2 where{};
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->info->GetCurrentLocation(&where));
    DVD_DOMAIN domain;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentDomain(&domain));
    EXPECT_EQ(DVD_DOMAIN_VideoManagerMenu, domain);

    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->Resume(DVD_CMD_FLAG_Flush, nullptr));
    ASSERT_TRUE(
        nav->WaitFor(EC_DVD_DOMAIN_CHANGE, [](const Event& e) { return DomainIs(e, DVD_DOMAIN_Title); }));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_CURRENT_HMSF_TIME));
    EXPECT_GE(nav->LastTimeMs(), 500);  // where it was, not the title's start
    EXPECT_TRUE(WaitForColour(*nav, POINT{360, 300}, IsRed, &c)) << Text(c);
}

TEST_F(NavigatorMenu, TheChapterMenuPlaysChapterTwo) {
    StartOnMainMenu();
    ASSERT_NO_FATAL_FAILURE(PlayTitleFromMenu(1));
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->ShowMenu(DVD_MENU_Chapter, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_DOMAIN_CHANGE,
                             [](const Event& e) { return DomainIs(e, DVD_DOMAIN_VideoTitleSetMenu); }));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_STILL_ON, [](const Event& e) { return e.p1 == FALSE; }));
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kButtonOne, IsYellow, &c)) << Text(c);
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->SelectAndActivateButton(2));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_CHAPTER_START, [](const Event& e) { return e.p1 == 2; }));
    EXPECT_TRUE(WaitForColour(*nav, POINT{360, 300}, IsGreen, &c)) << Text(c);
}

TEST_F(NavigatorMenu, TheRootMenuPlaysOnAndItsTimedMenuEndsInTitleTwo) {
    StartOnMainMenu();
    ASSERT_NO_FATAL_FAILURE(PlayTitleFromMenu(1));
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->ShowMenu(DVD_MENU_Root, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_DOMAIN_CHANGE,
                             [](const Event& e) { return DomainIs(e, DVD_DOMAIN_VideoTitleSetMenu); }));
    // A moving background: no still, the highlight follows the keys while it plays.
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kButtonOne, IsYellow, &c)) << Text(c);
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->SelectButton(2));
    EXPECT_TRUE(WaitForColour(*nav, kButtonTwo, IsYellow, &c)) << Text(c);
    EXPECT_TRUE(WaitForColour(*nav, kButtonOne, IsWhite, &c)) << Text(c);
    nav->Pump(0);
    size_t from = nav->seen.size();
    nav->Pump(2500);  // longer than the loop of the background
    for (size_t i = from; i < nav->seen.size(); ++i)
        EXPECT_NE(EC_DVD_STILL_ON, nav->seen[i].code) << "a moving menu held still";
    // Menu 3 is a still that times out after two seconds and then plays title 2 by itself.
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->ActivateButton());
    Event still;
    ASSERT_TRUE(nav->WaitFor(EC_DVD_STILL_ON, nullptr, 8000, &still));
    EXPECT_EQ(FALSE, still.p1);  // it has buttons
    EXPECT_EQ(2, still.p2);
    ASSERT_TRUE(nav->WaitFor(EC_DVD_STILL_OFF, nullptr, 6000));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 2; }));
    EXPECT_TRUE(WaitForColour(*nav, POINT{360, 400}, IsBlue, &c)) << Text(c);
}

TEST_F(NavigatorMenu, ATitleEndsBackOnTheMainMenuWhichStaysUntilChosen) {
    StartOnMainMenu();
    ASSERT_NO_FATAL_FAILURE(PlayTitleFromMenu(2));
    nav->Mark();
    ASSERT_TRUE(nav->WaitFor(
        EC_DVD_DOMAIN_CHANGE, [](const Event& e) { return DomainIs(e, DVD_DOMAIN_VideoManagerMenu); },
        10000));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_STILL_ON));
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kButtonOne, IsYellow, &c)) << Text(c);
    nav->Pump(0);
    size_t from = nav->seen.size();
    nav->Pump(1500);
    for (size_t i = from; i < nav->seen.size(); ++i)
        EXPECT_NE(EC_DVD_DOMAIN_CHANGE, nav->seen[i].code) << "the menu did not wait for a choice";
}

TEST_F(NavigatorMenu, ButtonsAreRefusedWhereThereAreNone) {
    ASSERT_NO_FATAL_FAILURE(Open("menus"));
    // Before the disc has started.
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->ActivateButton());
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->SelectAtPosition(POINT{220, 200}));
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->ShowMenu(DVD_MENU_Title, DVD_CMD_FLAG_None, nullptr));
    ASSERT_NO_FATAL_FAILURE(StartOnMainMenu());
    EXPECT_EQ(E_INVALIDARG, nav->control->SelectButton(3));
    EXPECT_EQ(E_INVALIDARG, nav->control->SelectButton(0));
    EXPECT_EQ(E_INVALIDARG, nav->control->ShowMenu(static_cast<DVD_MENU_ID>(9), DVD_CMD_FLAG_None, nullptr));
    // A menu's still ends by its buttons, and no title was left to resume.
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->StillOff());
    EXPECT_EQ(VFW_E_DVD_NO_RESUME_INFORMATION, nav->control->Resume(DVD_CMD_FLAG_None, nullptr));
    ULONG button = 77;
    EXPECT_EQ(VFW_E_DVD_NO_BUTTON, nav->info->GetButtonAtPosition(POINT{100, 300}, &button));
    EXPECT_EQ(77u, button);
}

TEST_F(NavigatorMenu, AVolumeWithoutMenusAnswersTheMenuCommands) {
    ASSERT_NO_FATAL_FAILURE(Open("plain"));
    ASSERT_HRESULT_SUCCEEDED(nav->Play());
    ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 1; }));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_CURRENT_HMSF_TIME));
    for (DVD_MENU_ID menu : {DVD_MENU_Title, DVD_MENU_Root, DVD_MENU_Subpicture, DVD_MENU_Audio,
                             DVD_MENU_Angle, DVD_MENU_Chapter}) {
        IDvdCmd* cmd = nullptr;
        EXPECT_EQ(VFW_E_DVD_MENU_DOES_NOT_EXIST, nav->control->ShowMenu(menu, DVD_CMD_FLAG_Flush, &cmd))
            << menu;
        EXPECT_EQ(nullptr, cmd);
    }
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->Resume(DVD_CMD_FLAG_Flush, nullptr));
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, nav->control->ReturnFromSubmenu(DVD_CMD_FLAG_None, nullptr));
    EXPECT_EQ(VFW_E_DVD_NO_BUTTON, nav->control->SelectRelativeButton(DVD_Relative_Lower));
    EXPECT_EQ(VFW_E_DVD_NO_BUTTON, nav->control->ActivateButton());
    EXPECT_EQ(VFW_E_DVD_NO_BUTTON, nav->control->SelectAtPosition(POINT{220, 200}));
    EXPECT_EQ(VFW_E_DVD_NO_BUTTON, nav->control->ActivateAtPosition(POINT{220, 200}));
    ULONG count = 9, current = 9;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentButton(&count, &current));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(0u, current);
    // Playback goes on as before.
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, POINT{360, 300}, IsRed, &c)) << Text(c);
    DVD_DOMAIN domain;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentDomain(&domain));
    EXPECT_EQ(DVD_DOMAIN_Title, domain);
}

}  // namespace
