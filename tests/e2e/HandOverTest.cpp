// Files that other starts hand to the running player: bursts of them, playlist files, and the
// command line's odd arguments.
#include <algorithm>
#include <fstream>
#include <set>

#include "Messages.h"
#include "Observe.h"
#include "PlaylistSession.h"

using namespace e2e;

namespace {

constexpr char kOpenTitle[] = "Open Media Files...";

// `count` playable files of different names in a fresh folder.
std::vector<std::string> CopiesOfAClip(const std::string& tag, int count) {
    std::string dir = MakeTempDirectory(tag);
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        std::string path = dir + "part" + std::to_string(100 + i) + ".avi";
        if (!::CopyFileA(Media("clip_short.avi").c_str(), path.c_str(), FALSE)) return {};
        files.push_back(path);
    }
    return files;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class HandOverTest : public PlaylistSessionTest {
protected:
    // Shows the playlist window and waits until it lists `count` rows.
    bool WaitForRows(int count, DWORD timeoutMs = 15000) {
        Show();
        return WaitUntil(
            [&] {
                PostCommand(player.window, kShowPlaylist);  // refreshes the rows
                return ListViewCount(list) == count;
            },
            timeoutMs, 200);
    }
    bool OpenDialogShown() const { return FindTopWindow("#32770", kOpenTitle, player.process.Id()) != nullptr; }
};

}  // namespace

TEST_F(HandOverTest, TenHandOversBackToBackAreAllReceivedAndOpenedOnce) {
    std::vector<std::string> files = CopiesOfAClip("burst10", 10);
    ASSERT_EQ(files.size(), 10u);
    Start();
    for (const std::string& file : files)
        ASSERT_TRUE(Post(player.window, WM_FORWARDFILE, 0, ::GlobalAddAtomA(file.c_str())));
    ASSERT_TRUE(WaitForRows(10));
    EXPECT_EQ(ListViewTexts(list), std::vector<std::string>(files.begin(), files.end()));
    // The first plays; nobody is asked for a file.
    std::string first = files[0].substr(files[0].rfind('\\') + 1);
    EXPECT_TRUE(WaitForWindow("VCDEventWindow", (first + "  ").c_str(), player.process.Id(), 15000));
    // Every hand-over has been handled, and so has what each posted in turn (a hand-over
    // without a path asks for a file): a dialog would be up by then.
    ASSERT_TRUE(Flush(player.window));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_FALSE(OpenDialogShown());
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
}

TEST_F(HandOverTest, ABurstIntoTheShownPlaylistWindowListsEveryPathWithoutARefresh) {
    std::vector<std::string> files = CopiesOfAClip("burst200", 1);
    ASSERT_EQ(files.size(), 1u);
    for (int i = 1; i < 200; ++i)
        files.push_back("C:\\burst\\clip " + std::to_string(1000 + i) + ".avi");
    Start();
    Show();
    // Queued back to back, the rows are shown once the last of them is in.
    for (const std::string& file : files)
        ASSERT_TRUE(Post(player.window, WM_FORWARDFILE, 0, ::GlobalAddAtomA(file.c_str())));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_EQ(ListViewCount(list), 200);
    EXPECT_EQ(ListViewText(list, 199), files.back());
    // One more on its own joins the burst and shows at once.
    std::string late = "C:\\burst\\late.avi";
    ASSERT_TRUE(Post(player.window, WM_FORWARDFILE, 0, ::GlobalAddAtomA(late.c_str())));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_EQ(ListViewCount(list), 201);
    EXPECT_EQ(ListViewText(list, 200), late);
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
}

TEST_F(HandOverTest, TwentyPlayersStartedAtOnceLeaveOneWindowWithEveryFile) {
    std::vector<std::string> files = CopiesOfAClip("burst20", 20);
    ASSERT_EQ(files.size(), 20u);
    // All at once, as the shell opens a selection: none waits for another to get going.
    std::vector<Process> starts;
    for (const std::string& file : files)
        starts.push_back(Process::Launch(PlayerPath(), {file}));
    // Every start but one hands its file over and ends.
    std::vector<Process*> running;
    ASSERT_TRUE(WaitUntil(
        [&] {
            running.clear();
            for (Process& p : starts) {
                if (p.Running()) running.push_back(&p);
            }
            return running.size() == 1;
        },
        90000, 200));
    DWORD firstId = running.front()->Id();
    size_t firstIndex = static_cast<size_t>(running.front() - starts.data());
    player.process = std::move(*running.front());
    player.boxes = std::make_unique<MessageBoxGuard>(firstId);
    player.window = FindTopWindow(kMainClass, kMainTitle, firstId);
    ASSERT_TRUE(player.window);
    window = WaitForWindow("#32770", "Playlist", firstId, 10000);
    ASSERT_TRUE(window);
    list = ::GetDlgItem(window, kList);
    int mainWindows = 0;
    for (HWND w : TopWindows(0))
        mainWindows += ClassName(w) == "#32770" && WindowText(w) == kMainTitle;
    EXPECT_EQ(mainWindows, 1);
    if (!WaitForRows(20)) {
        // Which file is missing tells a lost hand-over from one taken for a new request.
        std::vector<std::string> rows = ListViewTexts(list);
        std::string missing;
        for (const std::string& file : files) {
            if (std::find(rows.begin(), rows.end(), file) == rows.end()) missing += " " + file;
        }
        FAIL() << rows.size() << " rows; missing" << missing << "; the first player's own file " << files[firstIndex];
    }
    std::vector<std::string> rows = ListViewTexts(list);
    EXPECT_EQ(std::set<std::string>(rows.begin(), rows.end()), std::set<std::string>(files.begin(), files.end()));
    EXPECT_FALSE(OpenDialogShown());
    EXPECT_TRUE(WaitForWindow("VCDEventWindow", nullptr, firstId, 15000));
    ASSERT_TRUE(player.Close());
}

TEST_F(HandOverTest, AHandOverLongAfterTheLastStillReplacesThePlaylist) {
    std::vector<std::string> files = CopiesOfAClip("apart", 2);
    ASSERT_EQ(files.size(), 2u);
    Start({files[0]});
    ASSERT_TRUE(WaitForWindow("VCDEventWindow", "part100.avi  ", player.process.Id(), 15000));
    // The 3-second clip has played to its end, and the time in which other starts join the
    // player's own start's file is over.
    ASSERT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "PLAY") != nullptr; }, 10000));
    ASSERT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "STOP") != nullptr; }, 15000));
    player.WaitOutOwnStartBurst();
    Process second = Process::Start(PlayerPath(), {files[1]});
    EXPECT_TRUE(second.WaitExit(10000));
    EXPECT_TRUE(WaitForWindow("VCDEventWindow", "part101.avi  ", player.process.Id(), 15000));
    ASSERT_TRUE(WaitForRows(1));
    EXPECT_EQ(ListViewText(list, 0), files[1]);
    ASSERT_TRUE(player.Close());
}

TEST_F(HandOverTest, APlaylistFileOnTheCommandLineIsLoadedAndItsFirstEntryPlays) {
    std::string dir = MakeTempDirectory("cmdm3u");
    WriteText(dir + "list.M3U", "#EXTM3U\r\n" + Media("clip_av.avi") + "\r\n\r\n" + Media("clip_short.avi") + "\r");
    Start({dir + "list.M3U"});
    EXPECT_TRUE(WaitForWindow("VCDEventWindow", "clip_av.avi  ", player.process.Id(), 15000));
    ASSERT_TRUE(WaitForRows(2));
    EXPECT_EQ(ListViewTexts(list), (std::vector<std::string>{Media("clip_av.avi"), Media("clip_short.avi")}));
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
}

TEST_F(HandOverTest, AHandedOverPlaylistFileReplacesThePlaylistWithItsEntries) {
    std::string dir = MakeTempDirectory("fwdm3u");
    WriteText(dir + "list.m3u", Media("clip_short.avi") + "\n" + Media("clip_av.avi") + "\n");
    Start();
    Process second = Process::Start(PlayerPath(), {dir + "list.m3u"});
    EXPECT_TRUE(second.WaitExit(10000));
    EXPECT_TRUE(WaitForWindow("VCDEventWindow", "clip_short.avi  ", player.process.Id(), 15000));
    ASSERT_TRUE(WaitForRows(2));
    EXPECT_EQ(ListViewText(list, 1), Media("clip_av.avi"));
    ASSERT_TRUE(player.Close());
}

TEST_F(HandOverTest, AHugeOneLineTextNamedAsAPlaylistNeverReachesTheDecoders) {
    std::string dir = MakeTempDirectory("bigm3u");
    WriteText(dir + "big.m3u", std::string(10 * 1024 * 1024, 'q'));
    Start({dir + "big.m3u"});
    // Its one entry, cut to the entry limit, is no file: the open fails with its message.
    ASSERT_TRUE(WaitForRows(1));
    EXPECT_EQ(ListViewText(list, 0), std::string(259, 'q'));
    ASSERT_TRUE(player.boxes->WaitForBox(20000));
    EXPECT_EQ(player.boxes->Seen().front().caption, "Tesmaro Player");
    EXPECT_TRUE(player.process.Running());
    ASSERT_TRUE(player.Close());
}

TEST_F(HandOverTest, AMissingPlaylistFileIsReportedAndNothingOpens) {
    std::string dir = MakeTempDirectory("nom3u");
    Start({dir + "absent.m3u"});
    auto box = player.boxes->WaitForBox(15000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, dir + "absent.m3u was not found.");
    ASSERT_TRUE(WaitNoMessageBox(player.process.Id()));
    ASSERT_TRUE(Flush(player.window));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_FALSE(OpenDialogShown());
    EXPECT_EQ(FindTopWindow("VCDEventWindow", nullptr, player.process.Id()), nullptr);
    ASSERT_TRUE(player.Close());
}

TEST_F(HandOverTest, ALoneDashBeforeTheFileDoesNotHideIt) {
    Start({"-", Media("clip_av.avi")});
    EXPECT_TRUE(WaitForWindow("VCDEventWindow", "clip_av.avi  ", player.process.Id(), 15000));
    ASSERT_TRUE(player.Close());
}

TEST_F(HandOverTest, OutOfRangeStoredVolumesAreWrittenBackWithinRange) {
    for (auto [stored, sane] : {std::pair<int, DWORD>{1000, 100}, std::pair<int, DWORD>{-1, 0}}) {
        WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "Volume", static_cast<DWORD>(stored));
        Start();
        ASSERT_TRUE(player.Close());
        EXPECT_EQ(StoredInt("Volume"), sane) << stored;
    }
}
