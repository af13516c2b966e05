// The Settings dialog of the real player, opened from the skin's button.
#include "AssociationSession.h"
#include "Observe.h"

using namespace e2e;

namespace {

constexpr int kSkipForward = 1053, kSkipBackward = 1054, kFastForward = 1055, kFastBackward = 1056,
              kSlowForward = 1057, kFullScreen = 1101;

class SettingsTest : public AssociationTest {};

}  // namespace

TEST_F(SettingsTest, TheDialogShowsTheCurrentValuesAndOKStoresWhatWasTyped) {
    WriteRegString(HKEY_CURRENT_USER, kPlayerSetupKey, "SlowlyBackward", "0.25");
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "AutoStart", 1);
    Player player = FirstStart();
    ASSERT_TRUE(player.window);
    HWND settings = OpenSettings(player);
    ASSERT_TRUE(settings);
    EXPECT_EQ(Field(settings, kSkipForward), "20");
    EXPECT_EQ(Field(settings, kSkipBackward), "10");
    EXPECT_EQ(Field(settings, kFastForward), "2");
    EXPECT_EQ(Field(settings, kFastBackward), "2");
    EXPECT_EQ(Field(settings, kSlowForward), "0.5");
    EXPECT_FALSE(Checked(settings, kFullScreen));
    ScreenshotWindow(settings, ExeDirectory() + "settings.png");

    Type(settings, kSkipForward, "999");             // above the spin limit: the limit, 600
    Type(settings, kSkipBackward, "abc");            // not a number: the lower limit, 1
    Type(settings, kFastForward, "3x");              // the leading digits
    Type(settings, kFastBackward, "1234567890123");  // cut at 9 characters, then the limit, 4
    Type(settings, kSlowForward, "0.1");             // the lower bound itself is accepted
    SetCheck(settings, kFullScreen, true);
    Press(settings, IDOK);
    ASSERT_TRUE(WaitGone(settings));
    // The player stores the values once the dialog has gone.
    EXPECT_TRUE(WaitUntil([] { return StoredInt("g_bFullscreen") == 1u; }, 3000));
    EXPECT_EQ(StoredInt("AutoStart"), 1u);  // carried through
    EXPECT_EQ(StoredInt("SkipForward"), 600u);
    EXPECT_EQ(StoredInt("SkipBackward"), 1u);
    EXPECT_EQ(StoredInt("FastForward"), 3u);
    EXPECT_EQ(StoredInt("FastBackward"), 4u);
    EXPECT_EQ(StoredString("SlowlyForward"), "0.1");
    EXPECT_EQ(StoredString("SlowlyBackward"), "0.25");
    EXPECT_TRUE(player.boxes->Seen().empty());

    // The values are the player's own now: the dialog opens with them.
    settings = OpenSettings(player);
    ASSERT_TRUE(settings);
    EXPECT_EQ(Field(settings, kSlowForward), "0.1");
    // What the dialog shows, what is stored and what playback uses agree.
    EXPECT_EQ(Field(settings, kSkipForward), "600");
    EXPECT_EQ(Field(settings, kSkipBackward), "1");
    EXPECT_EQ(Field(settings, kFastBackward), "4");
    EXPECT_TRUE(Checked(settings, kFullScreen));
    Press(settings, IDCANCEL);
    ASSERT_TRUE(WaitGone(settings));
    ASSERT_TRUE(player.Close());
}

TEST_F(SettingsTest, ASlowRateOutOfRangeIsRefusedWithAWarningAndCancelThenDiscardsEverything) {
    Player player = FirstStart();
    ASSERT_TRUE(player.window);
    HWND settings = OpenSettings(player);
    ASSERT_TRUE(settings);
    Type(settings, kSkipForward, "45");
    for (const char* refused : {"1.5", "0.05", "nan", "abcdefghijklmnop"}) {
        size_t seen = player.boxes->Seen().size();
        Type(settings, kSlowForward, refused);
        Press(settings, IDOK);
        auto box = player.boxes->WaitForBox(10000, seen);
        ASSERT_TRUE(box) << refused;
        EXPECT_EQ(box->caption, "warning");
        EXPECT_EQ(box->text, "Please input Slowly forward between 0.1 to 0.9");
        // The box is gone and OK's handler has gone on from it: whatever it does next is done.
        ASSERT_TRUE(WaitNoMessageBox(player.process.Id())) << refused;
        ASSERT_TRUE(Flush(player.window)) << refused;
        EXPECT_TRUE(::IsWindow(settings) && IsShown(settings)) << refused;  // the dialog stays
    }
    Press(settings, IDCANCEL);
    ASSERT_TRUE(WaitGone(settings));
    EXPECT_FALSE(StoredInt("SkipForward"));
    EXPECT_FALSE(StoredString("SlowlyForward"));

    settings = OpenSettings(player);
    ASSERT_TRUE(settings);
    EXPECT_EQ(Field(settings, kSkipForward), "20");  // nothing reached the player either
    EXPECT_EQ(Field(settings, kSlowForward), "0.5");
    Press(settings, IDCANCEL);
    ASSERT_TRUE(WaitGone(settings));
    ASSERT_TRUE(player.Close());
}

TEST_F(SettingsTest, OverlongAndNonNumericTextInEveryEditIsCutAtNineCharactersAndKeptInRange) {
    Player player = FirstStart();
    ASSERT_TRUE(player.window);
    HWND settings = OpenSettings(player);
    ASSERT_TRUE(settings);
    std::string digits;
    while (digits.size() < 300)
        digits += "1234567890";
    Type(settings, kSkipForward, digits);
    Type(settings, kSkipBackward, std::string(300, 'x'));
    Type(settings, kFastForward, "-" + digits);
    Type(settings, kFastBackward, std::string(299, ' '));
    Type(settings, kSlowForward, "0.2" + std::string(300, '9'));  // the cut leaves "0.2999999"
    Press(settings, IDOK);
    ASSERT_TRUE(WaitGone(settings));
    // 123456789 seconds, no number, -12345678 times and blanks: each as its spin control allows.
    EXPECT_TRUE(WaitUntil([] { return StoredInt("SkipForward") == 600u; }, 3000));
    EXPECT_EQ(StoredInt("SkipBackward"), 1u);
    EXPECT_EQ(StoredInt("FastForward"), 1u);
    EXPECT_EQ(StoredInt("FastBackward"), 1u);
    EXPECT_EQ(StoredString("SlowlyForward"), "0.3");
    EXPECT_TRUE(player.process.Running());
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
}
