// The DVD side's commands through the program itself, on the navigator double: the bookmark kept
// from one run of the player to the next, a jump dialog and a disc-information box opened from
// the main window, and the region tool started after a region refusal.
#include <gtest/gtest.h>

#include <windows.h>
#include <dshow.h>
#include <dvdevcod.h>

#include <cctype>
#include <string>

#include "DecoderFiles.h"
#include "DvdSession.h"
#include "resource.h"

namespace e2e {
namespace {

// The bookmark lives in the user's folder of the player's profile; older versions kept it at the
// root of drive C:, where it is still read.
constexpr char kOldBookmarkFile[] = "c:\\DVDBookMark.bmk";
bool FileThere(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
constexpr char kRegionKey[] = "Software\\TesmaroTest\\Region";

std::string N(long value) {
    return std::to_string(value);
}

class DvdUiTest : public DvdTest {
protected:
    void SetUp() override {
        DvdTest::SetUp();
        ::DeleteFileA(kOldBookmarkFile);
        ::DeleteFileA(UserBookmarkFile().c_str());
    }
    void TearDown() override {
        ::DeleteFileA(kOldBookmarkFile);
        ::DeleteFileA(UserBookmarkFile().c_str());
        DvdTest::TearDown();
    }
    static bool At(const Player& player, int title, int chapter) {
        return WaitUntil(
            [&] {
                std::string text = LocationText(player.window);
                return text.find("TITLE: " + N(title)) != std::string::npos &&
                       text.find("CHAPTER: " + N(chapter)) != std::string::npos;
            },
            10000);
    }
};

TEST_F(DvdUiTest, ABookmarkSavedInOneRunIsRestoredInTheNext) {
    {
        Player player = OpenDisc();
        ASSERT_TRUE(player.window);
        HWND video = DvdWindowOf(player);
        ASSERT_TRUE(video);
        ASSERT_TRUE(At(player, 1, 1));
        PostCommand(video, ID_DVD_TITLE_BASE + 2);
        ASSERT_TRUE(At(player, 2, 1)) << LocationText(player.window);
        PostCommand(video, ID_DVD_CHAPTER_BASE + 2);
        ASSERT_TRUE(At(player, 2, 2)) << LocationText(player.window);
        size_t mark = CallCount();
        PostChar(video, 'g');
        EXPECT_TRUE(Called("State.Save", mark));
        EXPECT_TRUE(WaitUntil([] { return FileThere(UserBookmarkFile()); }, 5000));
        EXPECT_FALSE(FileThere(kOldBookmarkFile)) << "nothing is written to the root of C: any more";
        EXPECT_TRUE(player.boxes->Seen().empty());
        Finish(player);
    }
    Player player = OpenDisc();
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(At(player, 1, 1));
    size_t mark = CallCount();
    PostChar(DvdWindowOf(player), 'h');
    EXPECT_TRUE(Called("State.Load", mark));
    EXPECT_TRUE(Called("SetState " + N(DVD_CMD_FLAG_Block), mark));
    EXPECT_TRUE(At(player, 2, 2)) << LocationText(player.window);
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdUiTest, AnOldBookmarkAtTheRootOfCIsRestoredUntilANewOneIsSaved) {
    {
        Player player = OpenDisc();
        ASSERT_TRUE(player.window);
        ASSERT_TRUE(At(player, 1, 1));
        PostCommand(DvdWindowOf(player), ID_DVD_CHAPTER_BASE + 2);
        ASSERT_TRUE(At(player, 1, 2));
        PostCommand(DvdWindowOf(player), ID_BOOKMARK_SAVE);
        ASSERT_TRUE(WaitUntil([] { return FileThere(UserBookmarkFile()); }, 5000));
        Finish(player);
    }
    // The bookmark as an older version left it.
    ASSERT_TRUE(::MoveFileA(UserBookmarkFile().c_str(), kOldBookmarkFile));
    Player player = OpenDisc();
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(At(player, 1, 1));
    PostCommand(DvdWindowOf(player), ID_BOOKMARK_RESTORE);
    EXPECT_TRUE(At(player, 1, 2)) << LocationText(player.window);
    // A bookmark saved now goes to the user's folder and is the one restored from then on.
    PostCommand(DvdWindowOf(player), ID_DVD_TITLE_BASE + 2);
    ASSERT_TRUE(At(player, 2, 1));
    PostCommand(DvdWindowOf(player), ID_BOOKMARK_SAVE);
    ASSERT_TRUE(WaitUntil([] { return FileThere(UserBookmarkFile()); }, 5000));
    PostCommand(DvdWindowOf(player), ID_DVD_TITLE_BASE + 1);
    ASSERT_TRUE(At(player, 1, 1));
    PostCommand(DvdWindowOf(player), ID_BOOKMARK_RESTORE);
    EXPECT_TRUE(At(player, 2, 1)) << LocationText(player.window);
    EXPECT_TRUE(FileThere(kOldBookmarkFile));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdUiTest, RestoringWithoutABookmarkLeavesPlaybackAsItWas) {
    Player player = OpenDisc();
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(At(player, 1, 1));
    PostCommand(DvdWindowOf(player), ID_DVD_CHAPTER_BASE + 2);
    ASSERT_TRUE(At(player, 1, 2));
    size_t mark = CallCount();
    PostCommand(DvdWindowOf(player), ID_BOOKMARK_RESTORE);
    ASSERT_TRUE(WaitPolls(player.window));  // the restore has been handled
    EXPECT_EQ(-1, nav.FindCall("SetState", mark));
    EXPECT_TRUE(At(player, 1, 2));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdUiTest, ThePlayChapterCommandAsksOverTheMainWindowAndJumps) {
    Player player = OpenDisc();
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(At(player, 1, 1));
    PostCommand(player.window, ID_PLAY_CHAPTER);
    HWND dialog = WaitForWindow("#32770", "Play Chapter", player.process.Id(), 5000);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(player.window, ::GetWindow(dialog, GW_OWNER));
    EXPECT_EQ("1", WindowText(::GetDlgItem(dialog, IDC_DVD_CHAPTER)));
    Send(::GetDlgItem(dialog, IDC_DVD_CHAPTER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("2"));
    size_t mark = CallCount();
    Post(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(Called("PlayChapter 2 " + N(DVD_CMD_FLAG_Block), mark));
    EXPECT_TRUE(At(player, 1, 2));
    Finish(player);
}

TEST_F(DvdUiTest, ARegionRefusalStartsTheRegionToolForTheDiscsDriveAndRestartsTheDisc) {
    DeleteRegTree(HKEY_CURRENT_USER, kRegionKey);
    std::string tool = decodertest::SystemDirectory() + "\\storprop.dll";
    ASSERT_TRUE(::CopyFileA((ExeDirectory() + "region_tool_probe.dll").c_str(), tool.c_str(), FALSE));
    {
        Player player = OpenDisc();
        ASSERT_TRUE(player.window);
        ASSERT_TRUE(At(player, 1, 1));
        size_t mark = CallCount();
        ASSERT_TRUE(nav.InjectEvent(EC_DVD_ERROR, DVD_ERROR_InvalidDiscRegion));
        auto box = player.boxes->WaitForBox(5000);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ("Error", box->caption);
        EXPECT_TRUE(WaitUntil(
            [] { return ReadRegDword(HKEY_CURRENT_USER, kRegionKey, "Calls").value_or(0) == 1; }, 10000));
        // The player opens the path lower-cased; the tool gets the letter as the navigator has it.
        std::string drive = ReadRegString(HKEY_CURRENT_USER, kRegionKey, "Drive").value_or("");
        ASSERT_EQ(1u, drive.size());
        auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
        EXPECT_EQ(upper(dvdnav::NavigatorFixture::DiscIfoPath()[0]), upper(drive[0]));
        EXPECT_EQ(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(DvdWindowOf(player))),
                  ReadRegDword(HKEY_CURRENT_USER, kRegionKey, "Owner").value_or(0));
        int reset = nav.WaitForCall("SetOption " + N(DVD_ResetOnStop) + " 1", 5000, mark);
        EXPECT_GE(reset, 0);
        EXPECT_GE(nav.WaitForCall("SetOption " + N(DVD_ResetOnStop) + " 0", 5000, reset < 0 ? mark : reset),
                  0);
        EXPECT_EQ(1u, player.boxes->Seen().size());
        Finish(player);
    }
    WaitUntil([&] { return ::DeleteFileA(tool.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND; }, 5000);
    DeleteRegTree(HKEY_CURRENT_USER, kRegionKey);
}

}  // namespace
}  // namespace e2e
