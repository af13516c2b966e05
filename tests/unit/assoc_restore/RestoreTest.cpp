// The restore tool's pass against a private classes root of the test prefix.
#include <gtest/gtest.h>

#include "../settings/ClassesRoot.h"
#include "Associations.h"
#include "RegistryDump.h"
#include "Restore.h"
#include "RestoreTable.h"

using testsupport::KeysOf;
using testsupport::SnapshotRegistry;

namespace {

constexpr char kToolPath[] = "C:\\Install\\Vistrane.exe";
constexpr char kToolCommand[] = "Vistrane+\\shell\\open\\command";

class RestoreTest : public testsupport::ClassesRootTest {};

}  // namespace

TEST_F(RestoreTest, TheToolHasItsOwnThirtyTwoRows) {
    auto rows = assoc::Rows(kRestoreTable);
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(std::string(rows[5].extension), ".qt");
    EXPECT_EQ(std::string(rows[26].extension), ".bmp");
    EXPECT_EQ(std::string(rows[30].extension), ".tga");
    for (const auto& row : rows)
        EXPECT_EQ(std::string(row.programId), "Vistrane+");
}

TEST_F(RestoreTest, ExtensionsThePlayerTookGoBackAndKeysItCreatedGo) {
    SetText(".avi", nullptr, "OtherPlayer.avi");
    SetText(".mid", nullptr, "Tesmaro Player");  // taken, then something under it
    SetText(".mid\\OpenWithList\\x", nullptr, "y");
    ApplyAssociations(root(), FirstRunRows(), "C:\\Tesmaro\\tesmaro_player.exe");
    ASSERT_EQ(Text(".avi"), "Tesmaro Player");

    RestoreAssociations(root(), kToolPath);
    EXPECT_EQ(Text(".avi"), "OtherPlayer.avi");
    EXPECT_FALSE(HasValue(".avi", "Backup type"));  // exactly as its owner left it
    EXPECT_FALSE(Exists(".wmv"));                   // created by the player, nothing to give back: removed
    EXPECT_FALSE(Exists(".ogm"));
    EXPECT_TRUE(Exists(".mid"));  // it has subkeys: emptied, not removed
    EXPECT_EQ(Text(".mid"), "");
    EXPECT_EQ(Text(".mid\\OpenWithList\\x"), "y");
    EXPECT_TRUE(Exists(".aaaa"));  // not in the tool's table
}

TEST_F(RestoreTest, KeysThePlayerCreatedAndAlreadyLetGoAreRemovedToo) {
    ApplyAssociations(root(), FirstRunRows(), "C:\\Tesmaro\\tesmaro_player.exe");
    ApplyAssociations(root(), CheckedRows{}, "C:\\Tesmaro\\tesmaro_player.exe");
    ASSERT_EQ(Text(".mp3"), "");
    SetText(".avi", nullptr, "OtherPlayer.avi");  // given back by the player: its note stays
    SetText(".avi", "Backup type", "OtherPlayer.avi");
    SetText(".mid", nullptr, "Newcomer.mid");  // taken from us since: the note is not ours to judge
    SetText(".mid", "Backup type", "OtherPlayer.mid");
    RestoreAssociations(root(), kToolPath);
    EXPECT_FALSE(Exists(".mp3"));
    EXPECT_EQ(Text(".avi"), "OtherPlayer.avi");
    EXPECT_FALSE(HasValue(".avi", "Backup type"));
    EXPECT_EQ(Text(".mid", "Backup type"), "OtherPlayer.mid");
    EXPECT_FALSE(Exists(".wav"));
}

TEST_F(RestoreTest, OtherProgramsExtensionsStayAsTheyWere) {
    SetText(".bmp", nullptr, "Paint.Picture");
    SetText(".jpg", nullptr, "jpegfile");
    SetText(".jpg", "Content Type", "image/jpeg");
    SetText(".gif", nullptr, "");  // an empty default with a content type of its own
    SetText(".gif", "Content Type", "image/gif");
    SetText(".mov", "Content Type", "Video file");  // no default at all
    SetText(".qt", nullptr, "");
    SetText(".qt", "Content Type", "Video file");
    SetText(".qt", "PerceivedType", "video");  // not a key we would have written
    SetText(".tga\\ShellNew", nullptr, "x");
    SetText(".dat", nullptr, "VideoCD.dat");
    SetText(".dat", "Backup type", "Ancient");
    auto before = KeysOf(SnapshotRegistry(root()), {".bmp", ".jpg", ".gif", ".mov", ".qt", ".tga", ".dat"});
    RestoreAssociations(root(), kToolPath);
    auto after = KeysOf(SnapshotRegistry(root()), {".bmp", ".jpg", ".gif", ".mov", ".qt", ".tga", ".dat"});
    EXPECT_EQ(after, before);
}

TEST_F(RestoreTest, AnExtensionTheToolItselfOwnedIsGivenBackOrEmptied) {
    SetText(".wma", nullptr, "Vistrane+");
    SetText(".wma", "Backup type", "WMP.wma");
    SetText(".au", nullptr, "Vistrane+");
    SetText(".au", "Backup type", "vistrane+");
    SetText(".snd", nullptr, "Vistrane+");
    SetText(".snd", "Backup type", "");
    SetText(".mid", nullptr, "Vistrane+");
    SetText(".mid", "Backup type", "");
    SetText(".mid", "Content Type", "audio/midi");  // another program's value keeps the key
    RestoreAssociations(root(), kToolPath);
    EXPECT_EQ(Text(".wma"), "WMP.wma");
    EXPECT_FALSE(HasValue(".wma", "Backup type"));
    EXPECT_FALSE(Exists(".au"));  // nothing to give back and nothing of anyone else's in it
    EXPECT_FALSE(Exists(".snd"));
    EXPECT_EQ(Text(".mid"), "");
    EXPECT_EQ(Text(".mid", "Content Type"), "audio/midi");
    EXPECT_FALSE(HasValue(".mid", "Backup type"));
}

TEST_F(RestoreTest, TheIdentifierPointsAtTheProgramAndIsRefreshed) {
    RestoreAssociations(root(), kToolPath);
    EXPECT_EQ(Text("Vistrane+"), "Vistrane+ video");
    EXPECT_EQ(Text("Vistrane+\\DefaultIcon"), "C:\\Install\\Vistrane.exe,0");
    EXPECT_EQ(Text(kToolCommand), "\"C:\\Install\\Vistrane.exe\" \"%1\"");
    RestoreAssociations(root(), "D:\\Elsewhere\\Vistrane.exe");
    EXPECT_EQ(Text(kToolCommand), "\"D:\\Elsewhere\\Vistrane.exe\" \"%1\"");
    EXPECT_EQ(Text("Vistrane+\\DefaultIcon"), "C:\\Install\\Vistrane.exe,0");
}

TEST_F(RestoreTest, RunningTwiceGivesTheSameRegistryAsOnce) {
    SetText(".avi", nullptr, "OtherPlayer.avi");
    SetText(".mid\\sub", nullptr, "y");
    SetText(".wav", nullptr, "Tesmaro Player");
    SetText(".wav", "Backup type", "");
    SetText(".wav", "Content Type", "Audio file");
    SetText(".au", nullptr, "Tesmaro Player");
    SetText(".au", "Backup type", "Tesmaro Player");
    SetText(".au", "PerceivedType", "audio");
    ApplyAssociations(root(), FirstRunRows(), "C:\\Tesmaro\\tesmaro_player.exe");
    RestoreAssociations(root(), kToolPath);
    auto once = SnapshotRegistry(root());
    RestoreAssociations(root(), kToolPath);
    EXPECT_EQ(SnapshotRegistry(root()), once);
}

TEST_F(RestoreTest, WithoutAFolderTheExtensionsAreStillGivenBackButTheIdentifierIsLeftAlone) {
    SetText(".avi", nullptr, "Tesmaro Player");
    SetText(".avi", "Backup type", "OtherPlayer.avi");
    RestoreAssociations(root(), RestoreProgramPath(""));
    EXPECT_EQ(Text(".avi"), "OtherPlayer.avi");
    EXPECT_FALSE(Exists("Vistrane+"));
}

TEST(RestorePath, IsTheFolderAndVistraneExeWithOneBackslash) {
    EXPECT_EQ(RestoreProgramPath("C:\\Games"), "C:\\Games\\Vistrane.exe");
    EXPECT_EQ(RestoreProgramPath("C:\\"), "C:\\Vistrane.exe");
    EXPECT_EQ(RestoreProgramPath(""), "");
    std::string deep = "C:\\" + std::string(256, 'd');  // 259 characters
    EXPECT_EQ(RestoreProgramPath(deep), deep + "\\Vistrane.exe");
}

TEST_F(RestoreTest, AKeyThatCannotBeOpenedForWritingIsLeftAndTheToolGoesOn) {
    SetText(".avi", nullptr, "Tesmaro Player");
    SetText(".avi", "Backup type", "OtherPlayer.avi");
    SetText(".wav", nullptr, "Tesmaro Player");
    SetText(".wav", "Backup type", "SoundRecorder");
    fw::RegKey avi = fw::RegOpen(root(), ".avi", KEY_ALL_ACCESS);
    SECURITY_DESCRIPTOR sd;
    ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    alignas(ACL) BYTE aclBuffer[64];
    ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
    ::InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION);  // nobody may do anything
    ::SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    ASSERT_EQ(::RegSetKeySecurity(avi.Get(), DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    bool refused = !fw::RegOpen(root(), ".avi", KEY_SET_VALUE);
    RestoreAssociations(root(), kToolPath);
    EXPECT_EQ(Text(".wav"), "SoundRecorder");
    ::SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    ::RegSetKeySecurity(avi.Get(), DACL_SECURITY_INFORMATION, &sd);
    if (refused) {
        EXPECT_EQ(Text(".avi"), "Tesmaro Player");
    }
}
