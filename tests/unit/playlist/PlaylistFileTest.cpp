// M3U files on disk, in a fresh temporary folder: reading, writing byte for byte, and the
// messages for the ways a file can fail.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>

#include "Driver.h"
#include "FileError.h"
#include "PlaylistFile.h"

using namespace playlist;
using Entries = Playlist;

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class PlaylistFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = e2e::MakeTempDirectory("m3u");
        ASSERT_FALSE(dir.empty());
    }
    std::string dir;
};

}  // namespace

TEST_F(PlaylistFiles, AnExtendedPlaylistReadsOneEntryPerPathLine) {
    WriteBytes(dir + "ext.m3u",
               "#EXTM3U\r\n#EXTINF:10,One\r\nC:\\a\\one.mp3\r\n\r\n#EXTINF:20,Two\r\n..\\two.avi\r\n");
    Entries entries{"kept"};
    EXPECT_EQ(ReadPlaylistFile(dir + "ext.m3u", entries), FileErrorCause::None);
    EXPECT_EQ(entries, (Entries{"kept", "C:\\a\\one.mp3", "..\\two.avi"}));  // appended, relative kept
}

TEST_F(PlaylistFiles, LfFilesAndFilesWithoutAFinalLineEndReadAsCrLfFiles) {
    WriteBytes(dir + "lf.m3u", "a.avi\nb.avi\n");
    WriteBytes(dir + "open.m3u", "a.avi\r\nb.avi");
    Entries lf, open;
    EXPECT_EQ(ReadPlaylistFile(dir + "lf.m3u", lf), FileErrorCause::None);
    EXPECT_EQ(ReadPlaylistFile(dir + "open.m3u", open), FileErrorCause::None);
    EXPECT_EQ(lf, (Entries{"a.avi", "b.avi"}));
    EXPECT_EQ(open, lf);
}

TEST_F(PlaylistFiles, SavingWritesEachEntryWithCrLfAndNothingElse) {
    Entries entries{"C:\\x\\caf\xe9.mp3", "", "http://h/a b.wmv", "rel\\c.avi"};
    ASSERT_EQ(WritePlaylistFile(dir + "out.m3u", entries), FileErrorCause::None);
    EXPECT_EQ(ReadBytes(dir + "out.m3u"), "C:\\x\\caf\xe9.mp3\r\n\r\nhttp://h/a b.wmv\r\nrel\\c.avi\r\n");
}

TEST_F(PlaylistFiles, SaveAndLoadRoundTripByteForByte) {
    Entries entries;
    for (int i = 0; i < 3000; ++i)
        entries.Append(i % 97 == 0 ? " #" : "C:\\Media\\Folder " + std::to_string(i) + "\\\xc4\xd6 clip.avi");
    ASSERT_EQ(WritePlaylistFile(dir + "a.m3u", entries), FileErrorCause::None);
    Entries back;
    ASSERT_EQ(ReadPlaylistFile(dir + "a.m3u", back), FileErrorCause::None);
    EXPECT_EQ(back, entries);
    ASSERT_EQ(WritePlaylistFile(dir + "b.m3u", back), FileErrorCause::None);
    EXPECT_EQ(ReadBytes(dir + "a.m3u"), ReadBytes(dir + "b.m3u"));
}

TEST_F(PlaylistFiles, AnEmptyPlaylistSavesAnEmptyFileOverAnOldOne) {
    WriteBytes(dir + "old.m3u", "old entry\r\n");
    ASSERT_EQ(WritePlaylistFile(dir + "old.m3u", {}), FileErrorCause::None);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(::GetFileAttributesExA((dir + "old.m3u").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 0u);
}

TEST_F(PlaylistFiles, FailuresNameTheirCauseAndAddNothing) {
    Entries entries{"before"};
    EXPECT_EQ(ReadPlaylistFile(dir + "missing.m3u", entries), FileErrorCause::FileNotFound);
    EXPECT_EQ(ReadPlaylistFile(dir + "no\\such\\folder\\x.m3u", entries), FileErrorCause::BadPath);
    EXPECT_EQ(WritePlaylistFile(dir + "no\\such\\folder\\x.m3u", entries), FileErrorCause::BadPath);
    EXPECT_EQ(entries, Entries{"before"});
}

TEST_F(PlaylistFiles, AFileInUseCannotBeReadOrWritten) {
    std::string path = dir + "locked.m3u";
    WriteBytes(path, "a.avi\r\n");
    fw::FileHandle holder(
        ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    Entries entries;
    EXPECT_EQ(ReadPlaylistFile(path, entries), FileErrorCause::SharingViolation);
    EXPECT_EQ(WritePlaylistFile(path, {"b.avi"}), FileErrorCause::SharingViolation);
    EXPECT_TRUE(entries.empty());
    holder.Reset();
    EXPECT_EQ(ReadBytes(path), "a.avi\r\n");  // the failed save left the file alone
}

TEST_F(PlaylistFiles, AFolderIsNeitherReadNorOverwrittenAsAPlaylist) {
    ASSERT_TRUE(::CreateDirectoryA((dir + "folder.m3u").c_str(), nullptr));
    Entries entries;
    EXPECT_EQ(ReadPlaylistFile(dir + "folder.m3u", entries), FileErrorCause::AccessDenied);
    EXPECT_EQ(WritePlaylistFile(dir + "folder.m3u", {"x"}), FileErrorCause::AccessDenied);
    EXPECT_TRUE(entries.empty());
    DWORD attributes = ::GetFileAttributesA((dir + "folder.m3u").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

TEST(FileErrorMessages, EveryCauseHasItsTextWithThePath) {
    const std::string p = "C:\\lists\\a.m3u";
    EXPECT_EQ(FileErrorText(FileErrorCause::None, p), "No error occurred.");
    EXPECT_EQ(FileErrorText(FileErrorCause::Generic, p),
              "An unknown error occurred while accessing C:\\lists\\a.m3u.");
    EXPECT_EQ(FileErrorText(FileErrorCause::FileNotFound, p), "C:\\lists\\a.m3u was not found.");
    EXPECT_EQ(FileErrorText(FileErrorCause::BadPath, p), "C:\\lists\\a.m3u contains an invalid path.");
    EXPECT_EQ(FileErrorText(FileErrorCause::TooManyOpenFiles, p),
              "C:\\lists\\a.m3u could not be opened because there are too many open files.");
    EXPECT_EQ(FileErrorText(FileErrorCause::AccessDenied, p), "Access to C:\\lists\\a.m3u was denied.");
    EXPECT_EQ(FileErrorText(FileErrorCause::InvalidHandle, p),
              "An invalid file handle was associated with C:\\lists\\a.m3u.");
    EXPECT_EQ(FileErrorText(FileErrorCause::RemoveCurrentDir, p),
              "C:\\lists\\a.m3u could not be removed because it is the current directory.");
    EXPECT_EQ(FileErrorText(FileErrorCause::DirectoryFull, p),
              "C:\\lists\\a.m3u could not be created because the directory is full.");
    EXPECT_EQ(FileErrorText(FileErrorCause::BadSeek, p), "Seek failed on C:\\lists\\a.m3u");
    EXPECT_EQ(FileErrorText(FileErrorCause::HardIO, p),
              "A hardware I/O error was reported while accessing C:\\lists\\a.m3u.");
    EXPECT_EQ(FileErrorText(FileErrorCause::SharingViolation, p),
              "A sharing violation occurred while accessing C:\\lists\\a.m3u.");
    EXPECT_EQ(FileErrorText(FileErrorCause::LockViolation, p),
              "A locking violation occurred while accessing C:\\lists\\a.m3u.");
    EXPECT_EQ(FileErrorText(FileErrorCause::DiskFull, p), "Disk full while accessing C:\\lists\\a.m3u.");
    EXPECT_EQ(FileErrorText(FileErrorCause::EndOfFile, p),
              "An attempt was made to access C:\\lists\\a.m3u past its end.");
    EXPECT_EQ(FileErrorText(FileErrorCause::FileNotFound, ""), "an unnamed file was not found.");
}

TEST(FileErrorMessages, SystemErrorCodesMapToTheirCause) {
    EXPECT_EQ(FileErrorCauseOf(ERROR_FILE_NOT_FOUND), FileErrorCause::FileNotFound);
    EXPECT_EQ(FileErrorCauseOf(ERROR_PATH_NOT_FOUND), FileErrorCause::BadPath);
    EXPECT_EQ(FileErrorCauseOf(ERROR_ACCESS_DENIED), FileErrorCause::AccessDenied);
    EXPECT_EQ(FileErrorCauseOf(ERROR_SHARING_VIOLATION), FileErrorCause::SharingViolation);
    EXPECT_EQ(FileErrorCauseOf(ERROR_LOCK_VIOLATION), FileErrorCause::LockViolation);
    EXPECT_EQ(FileErrorCauseOf(ERROR_DISK_FULL), FileErrorCause::DiskFull);
    EXPECT_EQ(FileErrorCauseOf(ERROR_HANDLE_DISK_FULL), FileErrorCause::DiskFull);
    EXPECT_EQ(FileErrorCauseOf(ERROR_HANDLE_EOF), FileErrorCause::EndOfFile);
    EXPECT_EQ(FileErrorCauseOf(ERROR_TOO_MANY_OPEN_FILES), FileErrorCause::TooManyOpenFiles);
    EXPECT_EQ(FileErrorCauseOf(ERROR_INVALID_HANDLE), FileErrorCause::InvalidHandle);
    EXPECT_EQ(FileErrorCauseOf(ERROR_CURRENT_DIRECTORY), FileErrorCause::RemoveCurrentDir);
    EXPECT_EQ(FileErrorCauseOf(ERROR_CANNOT_MAKE), FileErrorCause::DirectoryFull);
    EXPECT_EQ(FileErrorCauseOf(ERROR_SEEK), FileErrorCause::BadSeek);
    EXPECT_EQ(FileErrorCauseOf(ERROR_CRC), FileErrorCause::HardIO);
    EXPECT_EQ(FileErrorCauseOf(ERROR_SUCCESS), FileErrorCause::None);
    EXPECT_EQ(FileErrorCauseOf(ERROR_NOT_ENOUGH_MEMORY), FileErrorCause::Generic);
}
