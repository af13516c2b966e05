// The installation's record of the file types and the uninstaller's give-back, against a private
// classes root and a private record key of the test prefix, with the player's own registration
// in between.
#include <gtest/gtest.h>

#include "../settings/ClassesRoot.h"
#include "Associations.h"
#include "RegistryDump.h"
#include "TypesRecord.h"

using testsupport::SnapshotRegistry;

namespace {

constexpr char kFolder[] = "C:\\Program Files\\Tesmaro Player";
constexpr char kPlayer[] = "C:\\Program Files\\Tesmaro Player\\tesmaro_player.exe";
constexpr char kCommand[] = "Tesmaro Player\\shell\\open\\command";

class TypesRecordTest : public testsupport::ClassesRootTest {
protected:
    static constexpr char kRecordPath[] = "software\\TesmaroTests\\TypesRecord";

    void SetUp() override {
        ClassesRootTest::SetUp();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRecordPath);
        recordKey = fw::RegCreate(HKEY_CURRENT_USER, kRecordPath, KEY_ALL_ACCESS);
        ASSERT_TRUE(recordKey);
    }
    void TearDown() override {
        recordKey.Reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRecordPath);
        ClassesRootTest::TearDown();
    }
    HKEY record() const { return recordKey.Get(); }
    // The player's first start, and the user's later choices in the association dialog.
    void FirstStart() { ApplyAssociations(root(), FirstRunRows(), kPlayer); }
    void Choose(const CheckedRows& rows) { ApplyAssociations(root(), rows, kPlayer); }

    // Other programs' states that the player's take-over overwrites in part.
    void PlantOtherPrograms() {
        static const BYTE kNothing = 0;
        SetRaw(".wav", nullptr, REG_SZ, &kNothing, 0);
        SetText(".wav", "PerceivedType", "audio");
        SetText(".mid", nullptr, "");
        SetText(".mid", "Backup type", "OldPlayer.mid");
        SetText(".ogm", nullptr, "Video file");
        SetText(".ogm", "Content Type", "Video file");
        SetText(".mp4", nullptr, "TmOther.mp4");
        SetText(".mp4", "Content Type", "Video file");
        SetRaw(".mp4\\OpenWithProgids", "TmOther.mp4", REG_NONE, &kNothing, 0);
        SetText(".gif", nullptr, "");
        SetText(".gif", "Content Type", "Image file");
        SetText("Tesmaro Player", nullptr, "Another program's media");
        SetText("Tesmaro Player\\DefaultIcon", nullptr, "C:\\Other\\other.exe,2");
        SetText(kCommand, nullptr, "\"C:\\Other\\other.exe\" \"%1\"");
        SetText("Tesmaro Player\\shell\\print\\command", nullptr, "other print");
        SetText("Vistrane+", nullptr, "Another Vistrane");
        SetText("Vistrane+\\Extra\\Deep", "Note", "kept");
    }

    fw::RegKey recordKey;
};

}  // namespace

TEST_F(TypesRecordTest, OtherProgramsValuesComeBackByteForByteAndOnlyWhatThePlayerWroteGoes) {
    PlantOtherPrograms();
    auto before = SnapshotRegistry(root());
    ASSERT_TRUE(setup_types::RecordTypes(root(), record()));
    FirstStart();
    ASSERT_EQ(Text(".mid"), "Tesmaro Player");
    ASSERT_EQ(Text(".mid", "Backup type"), "");
    ASSERT_EQ(Text(kCommand), std::string("\"") + kPlayer + "\" \"%1\"");

    setup_types::GiveTypesBack(root(), record(), kFolder);
    EXPECT_EQ(SnapshotRegistry(root()), before);
}

TEST_F(TypesRecordTest, TypesThePlayerAlreadyGaveBackLoseOnlyItsNotes) {
    PlantOtherPrograms();
    SetText(".avi", nullptr, "OtherPlayer.avi");
    auto before = SnapshotRegistry(root());
    ASSERT_TRUE(setup_types::RecordTypes(root(), record()));
    FirstStart();
    Choose(CheckedRows{});
    ASSERT_EQ(Text(".avi"), "OtherPlayer.avi");
    ASSERT_EQ(Text(".avi", "Backup type"), "OtherPlayer.avi");

    setup_types::GiveTypesBack(root(), record(), kFolder);
    EXPECT_EQ(SnapshotRegistry(root()), before);
}

TEST_F(TypesRecordTest, AProgramThatCameAfterTheInstallationGetsItsTypeBack) {
    SetText(".mpa", nullptr, "Old.mpa");
    ASSERT_TRUE(setup_types::RecordTypes(root(), record()));
    FirstStart();
    SetText(".mpa", nullptr, "Newcomer.mpa");
    SetText(".avi", nullptr, "Newcomer.avi");  // a key the player made
    FirstStart();                              // the user takes them again
    ASSERT_EQ(Text(".avi", "Backup type"), "Newcomer.avi");

    setup_types::GiveTypesBack(root(), record(), kFolder);
    EXPECT_EQ(Text(".mpa"), "Newcomer.mpa");
    EXPECT_FALSE(HasValue(".mpa", "Backup type"));
    EXPECT_EQ(Text(".avi"), "Newcomer.avi");
    EXPECT_FALSE(HasValue(".avi", "Backup type"));
    EXPECT_FALSE(Exists(".wmv"));
    EXPECT_FALSE(Exists("Tesmaro Player"));
}

TEST_F(TypesRecordTest, AnInstallationOverAnotherKeepsTheFirstRecord) {
    ASSERT_TRUE(setup_types::RecordTypes(root(), record()));
    FirstStart();
    EXPECT_FALSE(setup_types::RecordTypes(root(), record()));
    setup_types::GiveTypesBack(root(), record(), kFolder);
    EXPECT_TRUE(SnapshotRegistry(root()).size() <= 1) << "the player's keys stayed";
    EXPECT_FALSE(Exists(".wmv"));
    EXPECT_FALSE(Exists("Tesmaro Player"));
}

TEST_F(TypesRecordTest, TypesOfAPlayerInAnotherFolderAreLeftToIt) {
    SetText(".avi", nullptr, "OtherPlayer.avi");
    ASSERT_TRUE(setup_types::RecordTypes(root(), record()));
    ApplyAssociations(root(), FirstRunRows(), "D:\\Elsewhere\\tesmaro_player.exe");
    auto registered = SnapshotRegistry(root());
    setup_types::GiveTypesBack(root(), record(), kFolder);
    EXPECT_EQ(SnapshotRegistry(root()), registered);
}

TEST_F(TypesRecordTest, WithoutARecordTheRestoreToolsRulesGiveTheTypesBack) {
    SetText(".avi", nullptr, "OtherPlayer.avi");
    FirstStart();
    SetText("Vistrane+", nullptr, "Vistrane+ video");
    SetText("Vistrane+\\shell\\open\\command", nullptr,
            "\"C:\\Program Files\\Tesmaro Player\\Vistrane.exe\" \"%1\"");
    setup_types::GiveTypesBack(root(), nullptr, kFolder);
    EXPECT_EQ(Text(".avi"), "OtherPlayer.avi");
    EXPECT_FALSE(HasValue(".avi", "Backup type"));
    EXPECT_FALSE(Exists(".wmv"));
    EXPECT_FALSE(Exists("Tesmaro Player"));
    EXPECT_FALSE(Exists("Vistrane+"));
}

TEST(TypesInPlay, AreThePlayersAndTheRestoreToolsOnceEach) {
    auto extensions = setup_types::ExtensionsInPlay();
    EXPECT_EQ(extensions.size(), 33u);  // 25 in both tables, the player's ".aaaa" and the tool's seven
}
