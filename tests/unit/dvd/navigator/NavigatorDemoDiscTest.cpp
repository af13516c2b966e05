// The demo volume of moving pictures on our navigator: it starts in title 1 with
// a picture, its root menu comes up with its two buttons, and a button plays its title.
#include <gtest/gtest.h>

#include <objbase.h>

#include "NavGraph.h"

using namespace navtest;

namespace {

TEST(NavigatorDemoDisc, PlaysTitleOneAndItsMenuLeadsToTitleTwo) {
    ASSERT_HRESULT_SUCCEEDED(::CoInitialize(nullptr));
    {
        NavGraph nav(DiscIfo("..\\demo-dvd"));
        ASSERT_EQ(S_OK, nav.rendered);
        ASSERT_TRUE(nav.Prepare());
        ASSERT_HRESULT_SUCCEEDED(nav.Play());
        ASSERT_TRUE(nav.WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 1; }));
        ASSERT_TRUE(nav.WaitForTime(1000));
        Colour c;
        ASSERT_TRUE(nav.ShownColour(c, 200, 200));
        EXPECT_GT(c.r + c.g + c.b, 60) << "a black picture";

        ASSERT_HRESULT_SUCCEEDED(nav.control->ShowMenu(DVD_MENU_Root, DVD_CMD_FLAG_Block, nullptr));
        ASSERT_TRUE(nav.WaitFor(EC_DVD_DOMAIN_CHANGE,
                                [](const Event& e) { return e.p1 == DVD_DOMAIN_VideoTitleSetMenu; }));
        ULONG buttons = 0, current = 0;
        ASSERT_TRUE(nav.WaitFor(EC_DVD_BUTTON_CHANGE, [](const Event& e) { return e.p1 == 2; }));
        ASSERT_HRESULT_SUCCEEDED(nav.info->GetCurrentButton(&buttons, &current));
        EXPECT_EQ(2u, buttons);
        ASSERT_HRESULT_SUCCEEDED(nav.control->SelectAndActivateButton(2));
        EXPECT_TRUE(nav.WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 2; }));
    }
    ::CoUninitialize();
}

}  // namespace
