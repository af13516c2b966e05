// The player's registration algorithm against a private classes root of the test prefix.
#include <gtest/gtest.h>

#include "Associations.h"
#include "ClassesRoot.h"
#include "RegistryDump.h"

using testsupport::SnapshotRegistry;

namespace {

constexpr char kPath[] = "C:\\Program Files\\Tesmaro\\tesmaro_player.exe";
constexpr char kCommandKey[] = "Tesmaro Player\\shell\\open\\command";

int RowOf(const char* extension) {
    for (int i = 0; i < kAssociationRowCount; ++i)
        if (std::string(kAssociationTable[i].extension) == extension) return i;
    return -1;
}

CheckedRows Only(std::initializer_list<const char*> extensions) {
    CheckedRows rows;
    for (const char* e : extensions)
        rows.set(RowOf(e));
    return rows;
}

class AssociationsTest : public testsupport::ClassesRootTest {};

}  // namespace

TEST_F(AssociationsTest, TheTableHasItsThirtyTwoRowsAndTheFirstStartLeavesDatAlone) {
    EXPECT_EQ(assoc::Rows(kAssociationTable).size(), 32u);
    EXPECT_EQ(std::string(kAssociationTable[0].extension), ".wmv");
    EXPECT_EQ(std::string(kAssociationTable[31].extension), ".ogm");
    EXPECT_EQ(std::string(kAssociationTable[13].contentType), "Audio file");
    EXPECT_EQ(std::string(kAssociationTable[26].contentType), "Image file");
    CheckedRows first = FirstRunRows();
    EXPECT_EQ(first.count(), 29u);
    for (int row : {4, 5, 6})
        EXPECT_FALSE(first.test(row)) << row;
    for (int row : {0, 3, 7, 10, 31})
        EXPECT_TRUE(first.test(row)) << row;
}

TEST_F(AssociationsTest, AnUnknownExtensionIsCreatedForThePlayerAndLaterEmptiedButKept) {
    ApplyAssociations(root(), Only({".ogm", ".mp3", ".aaaa"}), kPath);
    EXPECT_EQ(Text(".ogm"), "Tesmaro Player");
    EXPECT_EQ(Text(".ogm", "Content Type"), "Video file");
    EXPECT_EQ(Text(".mp3", "Content Type"), "Audio file");
    EXPECT_FALSE(Exists(".wmv"));  // unchecked and unknown: nothing

    ApplyAssociations(root(), CheckedRows{}, kPath);
    EXPECT_TRUE(Exists(".ogm"));
    EXPECT_EQ(Text(".ogm"), "");
    EXPECT_EQ(Text(".ogm", "Content Type"), "Video file");
    EXPECT_FALSE(HasValue(".ogm", "Backup type"));
}

TEST_F(AssociationsTest, AnotherProgramsExtensionIsTakenWithItsOwnerSavedAndGivenBack) {
    SetText(".avi", nullptr, "OtherPlayer.avi");
    SetText(".avi", "Content Type", "video/avi");
    ApplyAssociations(root(), Only({".avi"}), kPath);
    EXPECT_EQ(Text(".avi"), "Tesmaro Player");
    EXPECT_EQ(Text(".avi", "Backup type"), "OtherPlayer.avi");
    EXPECT_EQ(Text(".avi", "Content Type"), "video/avi");

    // A second take-over keeps the first owner: the default is already ours.
    ApplyAssociations(root(), Only({".avi"}), kPath);
    EXPECT_EQ(Text(".avi", "Backup type"), "OtherPlayer.avi");

    ApplyAssociations(root(), CheckedRows{}, kPath);
    EXPECT_EQ(Text(".avi"), "OtherPlayer.avi");
    EXPECT_EQ(Text(".avi", "Backup type"), "OtherPlayer.avi");  // kept, never deleted
}

TEST_F(AssociationsTest, AnExtensionWithoutADefaultOrWithOneThatIsNotTextIsNotTaken) {
    MakeKey(".mpg");
    DWORD number = 1;
    SetRaw(".wmv", nullptr, REG_DWORD, &number, sizeof(number));
    SetRaw(".asf", nullptr, REG_BINARY, "WMP\0", 4);
    SetRaw(".mp4", nullptr, REG_EXPAND_SZ, "%Other%", 8);
    std::string longer(300, 'L');
    SetRaw(".m2v", nullptr, REG_SZ, longer.data(), 300);  // no terminator, longer than 260 bytes
    std::string full(260, 'F');
    SetRaw(".m1v", nullptr, REG_SZ, full.data(), 260);
    auto before = SnapshotRegistry(root());
    ApplyAssociations(root(), Only({".mpg", ".wmv", ".asf", ".mp4", ".m2v", ".m1v"}), kPath);
    ApplyAssociations(root(), CheckedRows{}, kPath);
    auto after = SnapshotRegistry(root());
    for (const char* ext : {".mpg", ".wmv", ".asf", ".mp4", ".m2v", ".m1v"})
        EXPECT_EQ(after[ext], before[ext]) << ext;
    CheckedRows shown = Only({".mpg"});
    ReadAssociations(root(), shown);
    EXPECT_TRUE(shown.test(RowOf(".mpg")));  // unreadable: the box keeps its state
}

TEST_F(AssociationsTest, TheIdentifierGetsItsDescriptionIconAndOpenCommand) {
    ApplyAssociations(root(), Only({".avi"}), kPath);
    EXPECT_EQ(Text("Tesmaro Player"), "Tesmaro Player video");
    EXPECT_EQ(Text("Tesmaro Player\\DefaultIcon"), std::string(kPath) + ",0");
    EXPECT_EQ(Text(kCommandKey), "\"C:\\Program Files\\Tesmaro\\tesmaro_player.exe\" \"%1\"");
}

TEST_F(AssociationsTest, AMovedProgramRepointsTheOpenCommandWhileTheIconStays) {
    ApplyAssociations(root(), FirstRunRows(), kPath);
    ApplyAssociations(root(), FirstRunRows(), "D:\\Moved\\tesmaro_player.exe");
    EXPECT_EQ(Text(kCommandKey), "\"D:\\Moved\\tesmaro_player.exe\" \"%1\"");
    EXPECT_EQ(Text("Tesmaro Player\\DefaultIcon"), std::string(kPath) + ",0");
}

TEST_F(AssociationsTest, AProgramPathOf259CharactersIsRegisteredAndRepointedWhole) {
    std::string path = "C:\\" + std::string(252, 'p') + ".exe";
    ASSERT_EQ(path.size(), 259u);
    ApplyAssociations(root(), Only({".avi"}), kPath);
    ApplyAssociations(root(), Only({".avi"}), path);
    std::string quoted = std::string(1, '"').append(path).append("\" \"%1\"");
    EXPECT_EQ(Text(kCommandKey), quoted);
    EXPECT_EQ(quoted.size(), 266u);
    ApplyAssociations(root(), Only({".avi"}), kPath);
    EXPECT_EQ(Text(kCommandKey), "\"C:\\Program Files\\Tesmaro\\tesmaro_player.exe\" \"%1\"");
}

TEST_F(AssociationsTest, TheFirstStartSetTakesEveryRowButDat) {
    SetText(".dat", nullptr, "VideoCD.dat");
    ApplyAssociations(root(), FirstRunRows(), kPath);
    EXPECT_EQ(Text(".dat"), "VideoCD.dat");
    EXPECT_FALSE(HasValue(".dat", "Backup type"));
    for (const char* ext : {".wmv", ".mpg", ".mpeg", ".m1v", ".asf", ".ifo", ".avi", ".ogg", ".aaaa", ".ogm"})
        EXPECT_EQ(Text(ext), "Tesmaro Player") << ext;
    CheckedRows shown;
    ReadAssociations(root(), shown);
    CheckedRows expected = FirstRunRows();
    expected.set(5).set(6);  // the free slots share one key
    EXPECT_EQ(shown, expected);
}

TEST_F(AssociationsTest, LettingGoNeverTouchesAnExtensionAnotherProgramOwns) {
    SetText(".dat", nullptr, "VideoCD.dat");
    SetText(".wav", nullptr, "SoundRecorder");
    SetText(".wav", "Backup type", "Ancient");  // someone else's leftover
    auto before = SnapshotRegistry(root());
    ApplyAssociations(root(), CheckedRows{}, kPath);
    auto after = SnapshotRegistry(root());
    EXPECT_EQ(after[".dat"], before[".dat"]);
    EXPECT_EQ(after[".wav"], before[".wav"]);
}

TEST_F(AssociationsTest, AGiveBackWithNothingToRestoreEmptiesTheDefault) {
    // "Backup type" naming the player itself, empty, or not text: nobody to give it back to.
    SetText(".mp2", nullptr, "Tesmaro Player");
    SetText(".mp2", "Backup type", "TESMARO PLAYER");
    SetText(".mpa", nullptr, "Tesmaro Player");
    SetText(".mpa", "Backup type", "");
    DWORD number = 5;
    SetText(".au", nullptr, "Tesmaro Player");
    SetRaw(".au", "Backup type", REG_DWORD, &number, sizeof(number));
    SetText(".aif", nullptr, "Tesmaro Player");
    std::string unterminated(300, 'U');
    SetRaw(".aif", "Backup type", REG_SZ, unterminated.data(), 300);
    SetText(".snd", nullptr, "tesmaro player");  // compared without case
    SetText(".snd\\ShellNew", "NullFile", "");
    EXPECT_EQ(ApplyAssociations(root(), CheckedRows{}, kPath), 0);
    for (const char* ext : {".mp2", ".mpa", ".au", ".aif", ".snd"})
        EXPECT_EQ(Text(ext), "") << ext;
    EXPECT_EQ(Text(".mp2", "Backup type"), "TESMARO PLAYER");
    EXPECT_TRUE(HasValue(".au", "Backup type"));
    EXPECT_TRUE(Exists(".snd\\ShellNew"));
}

TEST_F(AssociationsTest, TheDialogShowsExactlyTheExtensionsWhoseDefaultIsThePlayer) {
    SetText(".avi", nullptr, "Tesmaro Player");
    SetText(".wmv", nullptr, "WMP.wmv");
    CheckedRows shown = Only({".wmv", ".mid"});
    ReadAssociations(root(), shown);
    EXPECT_TRUE(shown.test(RowOf(".avi")));
    EXPECT_FALSE(shown.test(RowOf(".wmv")));
    EXPECT_TRUE(shown.test(RowOf(".mid")));  // no key: the box keeps its state
}

TEST(ProgramPath, IsTheProgramFolderAndItsBaseName) {
    EXPECT_EQ(ProgramPathFrom("C:\\Tesmaro\\", "tesmaro_player"), "C:\\Tesmaro\\tesmaro_player.exe");
    EXPECT_EQ(ProgramPathFrom("", "tesmaro_player"), "tesmaro_player.exe");
}

namespace {

// Gives the key a security descriptor that lets everyone read and nobody write.
bool MakeReadOnly(HKEY root, const char* path) {
    fw::RegKey key = fw::RegOpen(root, path, KEY_ALL_ACCESS);
    if (!key) return false;
    SECURITY_DESCRIPTOR sd;
    ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    alignas(ACL) BYTE aclBuffer[256];
    ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
    ::InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    ::AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    ::SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    bool ok = ::RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
    ::FreeSid(everyone);
    return ok && !fw::RegOpen(root, path, KEY_SET_VALUE);
}

// Back to a descriptor without a DACL (everyone may do everything), so the key can be deleted.
void MakeWritable(HKEY root, const char* path) {
    fw::RegKey key = fw::RegOpen(root, path, READ_CONTROL | WRITE_DAC);
    SECURITY_DESCRIPTOR sd;
    ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    if (key) ::RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, &sd);
}

}  // namespace

TEST_F(AssociationsTest, AKeyThatCannotBeOpenedForWritingIsSkippedAndTheOtherRowsStillRun) {
    SetText(".avi", nullptr, "OtherPlayer.avi");
    SetText(".wav", nullptr, "Tesmaro Player");
    SetText(".wav", "Backup type", "SoundRecorder");
    bool avi = MakeReadOnly(root(), ".avi");
    bool wav = MakeReadOnly(root(), ".wav");
    struct Undo {
        HKEY root;
        ~Undo() {
            MakeWritable(root, ".avi");
            MakeWritable(root, ".wav");
        }
    } undo{root()};
    if (!avi || !wav) GTEST_SKIP() << "this registry does not refuse writes by a key's security";
    auto before = SnapshotRegistry(root());
    CheckedRows rows = Only({".avi", ".ogg"});
    ApplyAssociations(root(), rows, kPath);
    auto after = SnapshotRegistry(root());
    EXPECT_EQ(after[".avi"], before[".avi"]);
    EXPECT_EQ(after[".wav"], before[".wav"]);
    EXPECT_EQ(Text(".ogg"), "Tesmaro Player");
}

TEST_F(AssociationsTest, AnUnwritableKeyWithAnEmptyBackupIsSkippedWithoutAnError) {
    SetText(".wma", nullptr, "Tesmaro Player");
    SetText(".wma", "Backup type", "");
    bool readOnly = MakeReadOnly(root(), ".wma");
    struct Undo {
        HKEY root;
        ~Undo() { MakeWritable(root, ".wma"); }
    } undo{root()};
    if (!readOnly) GTEST_SKIP() << "this registry does not refuse writes by a key's security";
    EXPECT_EQ(ApplyAssociations(root(), CheckedRows{}, kPath), 0);  // cannot even be opened: skipped
    MakeWritable(root(), ".wma");
    EXPECT_EQ(ApplyAssociations(root(), CheckedRows{}, kPath), 0);
    EXPECT_EQ(Text(".wma"), "");
}

// The same algorithm on the test prefix's own HKEY_CLASSES_ROOT, on a type nobody else uses.
TEST(ClassesRoot, ATypeIsTakenAndGivenBackOnTheRealClassesRoot) {
    constexpr char kExt[] = ".ogm";
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kExt);
    {
        fw::RegKey key = fw::RegCreate(HKEY_CLASSES_ROOT, kExt, KEY_ALL_ACCESS);
        ASSERT_TRUE(fw::RegWriteString(key.Get(), nullptr, "OtherPlayer.ogm"));
    }
    CheckedRows rows;
    rows.set(31);
    ApplyAssociations(HKEY_CLASSES_ROOT, rows, kPath);
    std::string value;
    {
        fw::RegKey key = fw::RegOpen(HKEY_CLASSES_ROOT, kExt, KEY_READ);
        ASSERT_TRUE(fw::RegReadString(key.Get(), nullptr, value));
        EXPECT_EQ(value, "Tesmaro Player");
    }
    CheckedRows shown;
    ReadAssociations(HKEY_CLASSES_ROOT, shown);
    EXPECT_TRUE(shown.test(31));
    ApplyAssociations(HKEY_CLASSES_ROOT, shown.reset(31), kPath);
    {
        fw::RegKey key = fw::RegOpen(HKEY_CLASSES_ROOT, kExt, KEY_READ);
        ASSERT_TRUE(fw::RegReadString(key.Get(), nullptr, value));
        EXPECT_EQ(value, "OtherPlayer.ogm");
    }
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kExt);
}
