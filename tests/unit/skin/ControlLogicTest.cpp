// The decisions and arithmetic of the skinned controls.
#include <gtest/gtest.h>

#include "ControlLogic.h"

using namespace skin;

TEST(MarqueeText, ATextOfExactlyTheCapacityStandsStillOneMoreScrolls) {
    int capacity = MarqueeCapacity(150, 14);  // 300 / 14
    EXPECT_EQ(capacity, 21);
    EXPECT_FALSE(MarqueeScrolls(std::string(21, 'x'), capacity));
    EXPECT_TRUE(MarqueeScrolls(std::string(22, 'x'), capacity));
    EXPECT_EQ(MarqueeCapacity(150, 0), 0);
    EXPECT_EQ(MarqueeCapacity(-5, 10), 0);
}

TEST(MarqueeText, AfterLengthPlusOneTicksTheStartShowsAgain) {
    const size_t length = 7;
    size_t offset = 0;
    for (size_t tick = 1; tick <= length; ++tick) {
        offset = NextMarqueeOffset(offset, length);
        EXPECT_EQ(offset, tick);
    }
    EXPECT_EQ(NextMarqueeOffset(offset, length), 0u);
}

TEST(MarqueeText, AScrollingTextLoopsWithAThreeBlankGap) {
    EXPECT_EQ(MarqueeShownText("abcdef", 0, 4), "abcdef");
    EXPECT_EQ(MarqueeShownText("abcdef", 2, 4), "cdef");
    EXPECT_EQ(MarqueeShownText("abcdef", 5, 4), "f   abcdef");
    EXPECT_EQ(MarqueeShownText("abcdef", 6, 4), "   abcdef");
    EXPECT_EQ(MarqueeShownText("ab", 0, 4), "ab");  // fits: shown as it is
    EXPECT_EQ(MarqueeShownText("abc", 3, 0), "");   // nothing fits
}

TEST(SliderJumps, APressOnTheBareTrackJumpsByTheSlidersName) {
    EXPECT_EQ(SliderJumpPosition(150, 300, SliderRangeOf("IDC_SLIDER1_PLAYBACK_POSITION")), 300);
    EXPECT_EQ(SliderJumpPosition(150, 300, SliderRangeOf("IDC_SLIDER1_VOLUME")), 50);
    EXPECT_EQ(SliderJumpPosition(150, 300, SliderRangeOf("ANY")), 50);
    EXPECT_EQ(SliderJumpPosition(299, 300, 600), 598);
    EXPECT_EQ(SliderJumpPosition(10, 0, 600), 0);
}

TEST(SliderThumbs, ThePictureIsCentredOnTheTrackBarsOwnThumb) {
    PixelRect h = SliderThumbRect(PixelRect{100, 2, 110, 20}, 14, 16, false);
    EXPECT_EQ(h.left, 98);
    EXPECT_EQ(h.right, 112);
    EXPECT_EQ(h.top, 0);
    EXPECT_EQ(h.bottom, 16);
    PixelRect v = SliderThumbRect(PixelRect{2, 100, 20, 110}, 16, 14, true);
    EXPECT_EQ(v.top, 98);
    EXPECT_EQ(v.bottom, 112);
    EXPECT_EQ(v.left, 0);
    EXPECT_EQ(v.right, 16);
    PixelRect top = SliderThumbRect(PixelRect{2, 0, 20, 4}, 16, 14, true);
    EXPECT_EQ(top.top, 0);  // raised to the top, never above it
    EXPECT_EQ(top.bottom, 14);
}

TEST(ButtonLooks, ATwoStateButtonShowsOnlyItsCheckState) {
    ButtonLook look;
    look.twoState = true;
    look.hovering = true;
    EXPECT_EQ(ChooseButtonPicture(look), ButtonPicture::Normal);
    look.selected = true;
    EXPECT_EQ(ChooseButtonPicture(look), ButtonPicture::Normal);
    look.checked = true;
    EXPECT_EQ(ChooseButtonPicture(look), ButtonPicture::Pressed);
}

TEST(ButtonLooks, PushButtonsShowPressHoverAndDisabledStates) {
    ButtonLook look;
    EXPECT_EQ(ChooseButtonPicture(look), ButtonPicture::Normal);
    look.disabled = true;
    EXPECT_EQ(ChooseButtonPicture(look), ButtonPicture::Disabled);
    look.disabled = false;
    look.hovering = true;
    EXPECT_EQ(ChooseButtonPicture(look), ButtonPicture::Hover);
    look.selected = true;
    EXPECT_EQ(ChooseButtonPicture(look), ButtonPicture::Pressed);
    look = ButtonLook{};
    look.checked = true;
    EXPECT_EQ(ChooseButtonPicture(look), ButtonPicture::Pressed);
    look.hovering = true;
    EXPECT_EQ(ChooseButtonPicture(look), ButtonPicture::Hover);
}

TEST(ProgressValues, APositionBecomesAPercentageOfTheExtent) {
    EXPECT_EQ(PercentAt(150, 300), 50);
    EXPECT_EQ(PercentAt(299, 300), 99);
    EXPECT_EQ(PercentAt(5, 0), 0);
    EXPECT_EQ(ClampPercent(-3), 0);
    EXPECT_EQ(ClampPercent(140), 100);
}
