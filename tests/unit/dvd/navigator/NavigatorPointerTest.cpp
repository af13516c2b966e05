// The mouse over our navigator's menus: the renderer's window as the child of a video window of
// the DVD engine's kind, its mouse messages drained to that window and passed to the navigator
// as they come. A move over a button selects it and a click activates it, whatever the size of
// the picture on the screen: the normal size, zoomed, and filling the screen beside black bars.
#include <gtest/gtest.h>

#include <objbase.h>

#include "MenuGraph.h"

using namespace navtest;

namespace {

struct Placement {
    const char* name;
    RECT outer;  // the video window, screen coordinates
    DWORD style;
    RECT renderer;  // the renderer's window in the video window's client area
};

class NavigatorPointer : public ::testing::TestWithParam<Placement> {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        nav = std::make_unique<NavGraph>(MenuDiscIfo("menus"));
        ASSERT_EQ(S_OK, nav->rendered);
        ASSERT_TRUE(nav->Prepare());
        owner = std::make_unique<OwnerWindow>(*nav, GetParam().outer, GetParam().style);
        ASSERT_TRUE(owner->Ok());
        owner->PlaceRenderer(GetParam().renderer);
        ASSERT_HRESULT_SUCCEEDED(nav->Play());
        ASSERT_TRUE(nav->WaitFor(EC_DVD_DOMAIN_CHANGE,
                                 [](const Event& e) { return e.p1 == DVD_DOMAIN_VideoManagerMenu; }));
        ASSERT_TRUE(nav->WaitFor(EC_DVD_STILL_ON));
    }
    void TearDown() override {
        owner.reset();
        nav.reset();
        ::CoUninitialize();
    }
    std::unique_ptr<NavGraph> nav;
    std::unique_ptr<OwnerWindow> owner;
};

std::string Text(Colour c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

TEST_P(NavigatorPointer, AMoveOverAButtonSelectsItAndAClickPlaysIt) {
    // The renderer stretches the picture over its whole window.
    long left = -1, top = -1, width = 0, height = 0;
    ASSERT_HRESULT_SUCCEEDED(nav->video->GetDestinationPosition(&left, &top, &width, &height));
    EXPECT_EQ(GetParam().renderer.right - GetParam().renderer.left, width);
    EXPECT_EQ(GetParam().renderer.bottom - GetParam().renderer.top, height);

    POINT two = owner->RendererPoint(kButtonTwo);
    nav->Mark();
    ASSERT_EQ(S_OK, owner->MoveTo(two));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_BUTTON_CHANGE, [](const Event& e) { return e.p1 == 2 && e.p2 == 2; }));
    Colour c;
    EXPECT_TRUE(WaitForColour(*nav, kButtonTwo, IsYellow, &c)) << Text(c);
    EXPECT_TRUE(WaitForColour(*nav, kButtonOne, IsWhite, &c)) << Text(c);
    ULONG button = 0;
    ASSERT_EQ(S_OK, nav->info->GetButtonAtPosition(two, &button));
    EXPECT_EQ(2u, button);

    // Between the buttons there is none; the selection stays.
    POINT between = owner->RendererPoint(POINT{360, 280});
    EXPECT_EQ(VFW_E_DVD_NO_BUTTON, owner->MoveTo(between));
    EXPECT_EQ(VFW_E_DVD_NO_BUTTON, nav->info->GetButtonAtPosition(between, &button));
    ULONG count = 0, current = 0;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentButton(&count, &current));
    EXPECT_EQ(2u, current);

    // A point as the engine passes it, without a message: the same answer.
    POINT one = owner->RendererPoint(kButtonOne);
    nav->Mark();
    ASSERT_EQ(S_OK, nav->control->SelectAtPosition(one));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_BUTTON_CHANGE, [](const Event& e) { return e.p2 == 1; }));
    EXPECT_TRUE(WaitForColour(*nav, kButtonOne, IsYellow, &c)) << Text(c);

    // The button's far corner still belongs to it.
    POINT corner = owner->RendererPoint(POINT{519, 239});
    ASSERT_EQ(S_OK, nav->info->GetButtonAtPosition(corner, &button));
    EXPECT_EQ(1u, button);

    nav->Mark();
    ASSERT_EQ(S_OK, owner->ClickAt(one));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_DOMAIN_CHANGE, [](const Event& e) { return e.p1 == DVD_DOMAIN_Title; }));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 1; }));
    EXPECT_TRUE(WaitForColour(*nav, POINT{360, 300}, IsRed, &c)) << Text(c);
    // In the title there are no buttons to point at.
    EXPECT_EQ(VFW_E_DVD_NO_BUTTON, owner->MoveTo(one));
}

constexpr DWORD kFramed = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kPopup = WS_POPUP | WS_CLIPCHILDREN;

INSTANTIATE_TEST_SUITE_P(
    Sizes, NavigatorPointer,
    ::testing::Values(
        // The picture's own size in a framed window.
        Placement{"NormalSize", RECT{100, 50, 100 + 740, 50 + 620}, kFramed, RECT{0, 0, 720, 576}},
        // Zoomed to one and a half times, larger than the screen.
        Placement{"Zoomed", RECT{0, 0, 1080, 864}, kPopup, RECT{0, 0, 1080, 864}},
        // Full screen on 1024 x 768: the picture keeps its shape, 960 wide between black bars.
        Placement{"FullScreen", RECT{0, 0, 1024, 768}, kPopup, RECT{32, 0, 992, 768}}),
    [](const ::testing::TestParamInfo<Placement>& p) { return std::string(p.param.name); });

}  // namespace
