// A DVD-Video disc in a real CD-ROM drive of the test prefix, started by the automatic poll, the
// open menu and the play-disc button, and played by the DVD engine on the tests' navigator.
#include <algorithm>
#include <cctype>

#include "DiscSession.h"
#include "NavigatorFixture.h"

using namespace e2e;

namespace {

constexpr char kDvdClass[] = "EventWindow";

class DiscDvdTest : public DiscSessionTest {
protected:
    void SetUp() override {
        DiscSessionTest::SetUp();
        ASSERT_TRUE(nav.Registered());
    }
    void TearDown() override {
        if (player.process.Running()) player.process.Kill();
        player.process.WaitExit(5000);
        drives.clear();
    }

    // Copies the authored disc's VIDEO_TS folder into the drive.
    static bool InsertDvd(const disctest::CdDrive& drive) {
        std::string folder = dvdnav::NavigatorFixture::DiscFolder() + "\\";
        WIN32_FIND_DATAA found{};
        HANDLE search = ::FindFirstFileA((folder + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return false;
        bool ok = true;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            ok = ok && drive.PutFile(std::string("VIDEO_TS\\") + found.cFileName, folder + found.cFileName);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
        return ok;
    }
    HWND DvdWindow() const { return FindTopWindow(kDvdClass, nullptr, player.process.Id()); }
    bool WaitDvdShown(DWORD timeoutMs) const {
        return WaitUntil([&] { return DvdWindow() && IsShown(DvdWindow()); }, timeoutMs, 100);
    }
    bool WaitDvdClosed(DWORD timeoutMs = 10000) const {
        return WaitUntil([&] { return DvdWindow() == nullptr; }, timeoutMs, 100);
    }
    // How many DVD volumes the navigator was asked to render, each from the drive of `root`.
    int RendersFrom(const std::string& root) const {
        int count = 0;
        std::string drive = root.substr(0, 2);
        for (std::string call : nav.Calls()) {
            if (call.rfind("RenderDvdVideoVolume", 0) != 0) continue;
            std::transform(call.begin(), call.end(), call.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            std::string lowerDrive = drive;
            lowerDrive[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lowerDrive[0])));
            EXPECT_NE(call.find(lowerDrive + "\\video_ts"), std::string::npos) << call;
            ++count;
        }
        return count;
    }

    dvdnav::NavigatorFixture nav;
};

}  // namespace

TEST_F(DiscDvdTest, AutoStartOpensAnInsertedDvdOnceUntilItIsTakenOutAndPutBack) {
    disctest::CdDrive& drive = AddDrive("MOVIE");
    ASSERT_TRUE(drive);
    ASSERT_TRUE(WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "AutoStart", 1));
    Start();
    ASSERT_TRUE(WaitPolls(1));
    EXPECT_EQ(DvdWindow(), nullptr) << "a poll of the empty drive opens nothing";

    long before = PollTicks();
    ASSERT_TRUE(InsertDvd(drive));
    ASSERT_TRUE(WaitDvdShown(kDiscPollPeriodMs + 25000));
    // The first poll after the disc came opened it; the graph takes a while to build, during
    // which one more poll may end.
    EXPECT_LE(PollTicks(), before + 2) << "within one poll";
    EXPECT_EQ(RendersFrom(drive.Root()), 1);
    EXPECT_TRUE(Playlist().empty()) << "a DVD brings no playlist of its own";

    // Closed by the user: later polls leave it closed.
    PostCommand(player.window, kCloseMedia);
    ASSERT_TRUE(WaitDvdClosed());
    ASSERT_TRUE(WaitPolls(2));  // what the first may have posted is handled before the second
    EXPECT_EQ(DvdWindow(), nullptr);
    EXPECT_EQ(RendersFrom(drive.Root()), 1);

    // Taken out for a poll and put back: it opens again.
    drive.Empty();
    ASSERT_TRUE(WaitPolls(1));
    ASSERT_TRUE(InsertDvd(drive));
    EXPECT_TRUE(WaitDvdShown(kDiscPollPeriodMs + 25000));
    EXPECT_EQ(RendersFrom(drive.Root()), 2);
}

TEST_F(DiscDvdTest, ADvdComesBeforeVideoCdTracksAndPlayDiscReplacesAPlayingFile) {
    disctest::CdDrive& drive = AddDrive();
    ASSERT_TRUE(drive);
    ASSERT_TRUE(InsertDvd(drive));
    ASSERT_TRUE(drive.PutTracks("MPEGAV", "AVSEQ", "DAT", 2, Track()));
    Start({Media("clip_long.avi")});
    ASSERT_TRUE(WaitPlaying("clip_long.avi"));

    PostCommand(player.window, kPlayDisc);
    ASSERT_TRUE(WaitDvdShown(15000));
    EXPECT_TRUE(WaitNothingPlays()) << "the file was closed";
    EXPECT_TRUE(Playlist().empty());
    EXPECT_EQ(RendersFrom(drive.Root()), 1);

    // The open menu's drive item opens it the same way.
    PostCommand(player.window, kCloseMedia);
    ASSERT_TRUE(WaitDvdClosed());
    PostCommand(player.window, kOpenDrive0);
    EXPECT_TRUE(WaitDvdShown(15000));
    EXPECT_EQ(RendersFrom(drive.Root()), 2);

    // Ejecting the drive closes the DVD that plays from it.
    PressEject();
    EXPECT_TRUE(WaitDvdClosed());
}
