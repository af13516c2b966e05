// What the Settings dialog makes of typed text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "SettingsText.h"

TEST(SettingsText, IntegersTakeTheLeadingDigitsAndNonNumbersAreZero) {
    EXPECT_EQ(LeadingInteger("999"), 999);
    EXPECT_EQ(LeadingInteger("20sec"), 20);
    EXPECT_EQ(LeadingInteger("-5"), -5);
    EXPECT_EQ(LeadingInteger("+7"), 7);
    EXPECT_EQ(LeadingInteger(" 12"), 12);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_EQ(LeadingInteger("-"), 0);
    EXPECT_EQ(LeadingInteger("999999999"), 999999999);
    // Longer than any edit gives, still no wrap-round into a negative skip.
    EXPECT_EQ(LeadingInteger("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(LeadingInteger("-99999999999999999999"), std::numeric_limits<int>::min());
}

TEST(SettingsText, TypedSkipsAndRatesAreUsedAsTheirSpinControlsAllow) {
    EXPECT_EQ(SpinValue("-5", kMinSkipSeconds, kMaxSkipSeconds), 1);  // never a backward jump forward
    EXPECT_EQ(SpinValue("", kMinFastRate, kMaxFastRate), 1);
    EXPECT_EQ(SpinValue("abc", kMinFastRate, kMaxFastRate), 1);
    EXPECT_EQ(SpinValue("99999999999", kMinSkipSeconds, kMaxSkipSeconds), 600);
    EXPECT_EQ(SpinValue("7", kMinSkipSeconds, kMaxSkipSeconds), 7);
    EXPECT_EQ(SpinValue("3x", kMinFastRate, kMaxFastRate), 3);
    EXPECT_EQ(SpinValue("9", kMinFastRate, kMaxFastRate), 4);
}

TEST(SettingsText, TheSlowRateIsAcceptedFromPointOneToPointNineAsTyped) {
    EXPECT_TRUE(SlowRateAccepted(ParseRate("0.1")));
    EXPECT_TRUE(SlowRateAccepted(ParseRate("0.9")));
    EXPECT_TRUE(SlowRateAccepted(ParseRate("0.5")));
    EXPECT_FALSE(SlowRateAccepted(ParseRate("0.05")));
    EXPECT_FALSE(SlowRateAccepted(ParseRate("1.5")));
    EXPECT_FALSE(SlowRateAccepted(ParseRate("abc")));  // reads as 0
    EXPECT_FALSE(SlowRateAccepted(ParseRate("nan")));
    EXPECT_FALSE(SlowRateAccepted(ParseRate("inf")));
    EXPECT_FALSE(SlowRateAccepted(std::nanf("")));
    EXPECT_EQ(FormatRate(ParseRate("0.25")), "0.25");
}
