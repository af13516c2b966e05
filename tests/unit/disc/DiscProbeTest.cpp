// Which disc a drive holds, its tracks, the automatic start over a run of polls and the menu
// texts, walked over sets of files instead of drives.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "DiscProbe.h"

namespace {

using disc::DiscKind;
using disc::PollDecision;
using Action = PollDecision::Action;
using Paths = std::vector<std::string>;

// The files of the discs in the drives; every question asked is recorded in order.
struct Files {
    Files() = default;
    Files(std::initializer_list<std::string> files) : present(files) {}
    std::set<std::string> present;
    mutable Paths asked;
    disc::FileExistsFn Exists() const {
        return [this](const char* path) {
            asked.push_back(path);
            return present.count(path) > 0;
        };
    }
};

struct Drives {
    char roots[disc::kMaxDrives][disc::kRootChars] = {};
    int count = 0;
    explicit Drives(std::initializer_list<const char*> list) {
        for (const char* root : list)
            std::strcpy(roots[count++], root);
    }
};

TEST(DiscKindOfADrive, ProbesInFixedOrderAndStopsAtTheFirstFileFound) {
    Files empty;
    EXPECT_EQ(disc::DetectDisc("E:\\", empty.Exists()), DiscKind::None);
    EXPECT_EQ(empty.asked,
              (Paths{"E:\\VIDEO_TS\\VIDEO_TS.IFO", "E:\\MPEGAV\\AVSEQ01.DAT", "E:\\MPEGAV\\MUSIC01.DAT",
                     "E:\\MPEG2\\MUSIC01.MPG", "E:\\MPEG2\\AVSEQ01.MPG"}));

    Files superVcd{"E:\\MPEG2\\AVSEQ01.MPG"};
    EXPECT_EQ(disc::DetectDisc("E:\\", superVcd.Exists()), DiscKind::SuperVcd);
    Files superMusic{"E:\\MPEG2\\MUSIC01.MPG", "E:\\MPEG2\\AVSEQ01.MPG"};
    EXPECT_EQ(disc::DetectDisc("E:\\", superMusic.Exists()), DiscKind::SuperVcdMusic);
    Files music{"E:\\MPEGAV\\MUSIC01.DAT"};
    EXPECT_EQ(disc::DetectDisc("E:\\", music.Exists()), DiscKind::VideoCdMusic);

    Files both{"E:\\MPEGAV\\AVSEQ01.DAT", "E:\\MPEGAV\\MUSIC01.DAT"};
    EXPECT_EQ(disc::DetectDisc("E:\\", both.Exists()), DiscKind::VideoCd);
    EXPECT_EQ(both.asked.size(), 2u);

    Files dvdAndVcd{"E:\\VIDEO_TS\\VIDEO_TS.IFO", "E:\\MPEGAV\\AVSEQ01.DAT"};
    EXPECT_EQ(disc::DetectDisc("E:\\", dvdAndVcd.Exists()), DiscKind::DvdVideo);
    EXPECT_EQ(dvdAndVcd.asked, Paths{"E:\\VIDEO_TS\\VIDEO_TS.IFO"});
}

TEST(DiscTracks, ListsNumberedTracksUpToTheFirstGap) {
    Files vcd{"F:\\MPEGAV\\AVSEQ01.DAT", "F:\\MPEGAV\\AVSEQ02.DAT", "F:\\MPEGAV\\AVSEQ04.DAT"};
    EXPECT_EQ(disc::NumberedTracks("F:\\", DiscKind::VideoCd, vcd.Exists()),
              (Paths{"F:\\MPEGAV\\AVSEQ01.DAT", "F:\\MPEGAV\\AVSEQ02.DAT"}));

    Files music{"F:\\MPEGAV\\MUSIC01.DAT", "F:\\MPEGAV\\MUSIC02.DAT", "F:\\MPEGAV\\MUSIC03.DAT"};
    EXPECT_EQ(disc::NumberedTracks("F:\\", DiscKind::VideoCdMusic, music.Exists()),
              (Paths{"F:\\MPEGAV\\MUSIC01.DAT", "F:\\MPEGAV\\MUSIC02.DAT", "F:\\MPEGAV\\MUSIC03.DAT"}));

    Files svcd{"F:\\MPEG2\\AVSEQ01.MPG", "F:\\MPEG2\\MUSIC02.MPG"};
    EXPECT_EQ(disc::NumberedTracks("F:\\", DiscKind::SuperVcd, svcd.Exists()),
              Paths{"F:\\MPEG2\\AVSEQ01.MPG"});
    EXPECT_TRUE(disc::NumberedTracks("F:\\", DiscKind::SuperVcdMusic, svcd.Exists()).empty());
}

TEST(DiscTracks, NumbersPastNinetyNineGrowToThreeDigits) {
    Files many;
    for (int n = 1; n <= 120; ++n)
        many.present.insert(disc::TrackPath("G:\\", DiscKind::SuperVcdMusic, n));
    Paths tracks = disc::NumberedTracks("G:\\", DiscKind::SuperVcdMusic, many.Exists());
    ASSERT_EQ(tracks.size(), 120u);
    EXPECT_EQ(tracks[8], "G:\\MPEG2\\MUSIC09.MPG");
    EXPECT_EQ(tracks[98], "G:\\MPEG2\\MUSIC99.MPG");
    EXPECT_EQ(tracks[99], "G:\\MPEG2\\MUSIC100.MPG");
    EXPECT_EQ(tracks[119], "G:\\MPEG2\\MUSIC120.MPG");
}

TEST(DiscTracks, ADvdHasNoNumberedTracks) {
    Files dvd{"G:\\VIDEO_TS\\VIDEO_TS.IFO"};
    EXPECT_TRUE(disc::NumberedTracks("G:\\", DiscKind::DvdVideo, dvd.Exists()).empty());
    EXPECT_TRUE(dvd.asked.empty());
}

TEST(DriveBits, OneBitPerDriveLetter) {
    EXPECT_EQ(disc::DriveBit("A:\\"), 1u);
    EXPECT_EQ(disc::DriveBit("D:\\"), 1u << 3);
    EXPECT_EQ(disc::DriveBit("d:\\"), 1u << 3);
    EXPECT_EQ(disc::DriveBit("Z:\\"), 1u << 25);
    // Not a drive letter: no bit, rather than a shift past the mask.
    EXPECT_EQ(disc::DriveBit("\\\\server\\"), 0u);
    EXPECT_EQ(disc::DriveBit("~:\\"), 0u);
    EXPECT_EQ(disc::DriveBit(""), 0u);
    EXPECT_EQ(disc::DriveBit(nullptr), 0u);
}

constexpr uint32_t kAll = 0xFFFFFFFFu;

TEST(AutomaticStart, ADvdStartsOnceAndAgainOnlyAfterItsDriveWasSeenEmpty) {
    Drives drives{"D:\\"};
    Files files{"D:\\VIDEO_TS\\VIDEO_TS.IFO"};
    uint32_t dvd = kAll, vcd = kAll;

    PollDecision first = disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd);
    EXPECT_EQ(first.action, Action::OpenDvd);
    EXPECT_EQ(first.probePath, "D:\\VIDEO_TS\\VIDEO_TS.IFO");
    EXPECT_EQ(first.drive, 0);
    EXPECT_EQ(dvd & disc::DriveBit("D:\\"), 0u);

    // The user closed it; the disc is still there.
    PollDecision second = disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd);
    EXPECT_EQ(second.action, Action::Nothing);
    EXPECT_EQ(second.drive, 0);

    files.present.clear();  // taken out
    EXPECT_EQ(disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd).action, Action::Nothing);
    EXPECT_EQ(dvd, kAll);

    files.present.insert("D:\\VIDEO_TS\\VIDEO_TS.IFO");  // put back
    EXPECT_EQ(disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd).action, Action::OpenDvd);
}

TEST(AutomaticStart, EveryVideoCdLayoutStartsOnceUntilTakenOut) {
    for (const char* probe : {"D:\\MPEGAV\\AVSEQ01.DAT", "D:\\MPEGAV\\MUSIC01.DAT", "D:\\MPEG2\\MUSIC01.MPG",
                              "D:\\MPEG2\\AVSEQ01.MPG"}) {
        SCOPED_TRACE(probe);
        Drives drives{"D:\\"};
        Files files{probe};
        uint32_t dvd = kAll, vcd = kAll;
        PollDecision first = disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd);
        EXPECT_EQ(first.action, Action::OpenTracks);
        EXPECT_EQ(first.probePath, probe);
        for (int poll = 0; poll < 3; ++poll)
            EXPECT_EQ(disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd).action,
                      Action::Nothing);
        files.present.clear();
        disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd);
        files.present.insert(probe);
        EXPECT_EQ(disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd).action,
                  Action::OpenTracks);
    }
}

TEST(AutomaticStart, SwappingADvdForAVideoCdStartsTheVideoCd) {
    Drives drives{"D:\\"};
    Files files{"D:\\VIDEO_TS\\VIDEO_TS.IFO"};
    uint32_t dvd = kAll, vcd = kAll;
    EXPECT_EQ(disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd).action, Action::OpenDvd);
    files.present = {"D:\\MPEGAV\\AVSEQ01.DAT"};
    PollDecision next = disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd);
    EXPECT_EQ(next.action, Action::OpenTracks);
    EXPECT_EQ(next.kind, DiscKind::VideoCd);
    EXPECT_NE(dvd & disc::DriveBit("D:\\"), 0u);  // the DVD may start again when it comes back
}

TEST(AutomaticStart, OnlyTheFirstDriveWithADiscIsHandled) {
    Drives drives{"D:\\", "E:\\", "F:\\"};
    Files files{"E:\\MPEGAV\\AVSEQ01.DAT", "F:\\VIDEO_TS\\VIDEO_TS.IFO"};
    uint32_t dvd = kAll, vcd = kAll;
    PollDecision first = disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd);
    EXPECT_EQ(first.action, Action::OpenTracks);
    EXPECT_EQ(first.drive, 1);
    EXPECT_EQ(first.probePath, "E:\\MPEGAV\\AVSEQ01.DAT");
    // F: was never looked at.
    for (const std::string& path : files.asked)
        EXPECT_NE(path[0], 'F') << path;

    // A disc that was handled already still ends the poll: the DVD behind it is not started.
    PollDecision second = disc::PollDrives(drives.roots, drives.count, files.Exists(), dvd, vcd);
    EXPECT_EQ(second.action, Action::Nothing);
    EXPECT_EQ(second.drive, 1);
    EXPECT_NE(dvd & disc::DriveBit("F:\\"), 0u);
}

TEST(AutomaticStart, EmptyDrivesAndNoDrivesDecideNothing) {
    Files none;
    uint32_t dvd = 0, vcd = 0;
    Drives drives{"D:\\", "E:\\"};
    PollDecision decision = disc::PollDrives(drives.roots, drives.count, none.Exists(), dvd, vcd);
    EXPECT_EQ(decision.action, Action::Nothing);
    EXPECT_EQ(decision.drive, -1);
    EXPECT_EQ(none.asked.size(), 10u);  // five probes per empty drive
    EXPECT_EQ(dvd, disc::DriveBit("D:\\") | disc::DriveBit("E:\\"));
    EXPECT_EQ(vcd, dvd);

    Drives noDrives{};
    EXPECT_EQ(disc::PollDrives(noDrives.roots, noDrives.count, none.Exists(), dvd, vcd).action,
              Action::Nothing);
}

TEST(DriveMenuTexts, ShowRootAndLabelOrRootAlone) {
    EXPECT_EQ(disc::OpenItemText("D:\\", "HOLIDAY"), "Open [D:\\] HOLIDAY");
    EXPECT_EQ(disc::OpenItemText("D:\\", nullptr), "Open [D:\\]");
    EXPECT_EQ(disc::OpenItemText("D:\\", ""), "Open [D:\\] ");
    EXPECT_EQ(disc::EjectItemText("E:\\", "MOVIE"), "[E:\\] MOVIE");
    EXPECT_EQ(disc::EjectItemText("E:\\", nullptr), "[E:\\]");
    std::string longest(259, 'L');
    EXPECT_EQ(disc::OpenItemText("E:\\", longest.c_str()), "Open [E:\\] " + longest);
}

TEST(MediaOnADrive, ComparesDriveLettersWithoutCase) {
    EXPECT_TRUE(disc::PathOnDrive("d:\\mpegav\\avseq01.dat", "D:\\"));
    EXPECT_TRUE(disc::PathOnDrive("D:\\VIDEO_TS\\VIDEO_TS.IFO", "d:\\"));
    EXPECT_FALSE(disc::PathOnDrive("c:\\media\\clip.avi", "D:\\"));
    EXPECT_FALSE(disc::PathOnDrive("", "D:\\"));
    EXPECT_FALSE(disc::PathOnDrive(nullptr, "D:\\"));
}

TEST(DiscGone, OnlyAMissingFileOnADiscDriveMeansItsDiscIsGone) {
    auto discDriveD = [](const char* root) { return std::string(root) == "D:\\"; };
    auto nothingThere = [](const char*) { return false; };
    auto everythingThere = [](const char*) { return true; };
    EXPECT_EQ(disc::GoneDiscRoot("d:\\mpegav\\avseq02.dat", discDriveD, nothingThere), "D:\\");
    EXPECT_EQ(disc::GoneDiscRoot("d:\\mpegav\\avseq02.dat", discDriveD, everythingThere), "");
    // A missing file elsewhere is the file engine's to report.
    EXPECT_EQ(disc::GoneDiscRoot("c:\\media\\clip.avi", discDriveD, nothingThere), "");
    // Neither an address nor a relative name has a drive.
    EXPECT_EQ(disc::GoneDiscRoot("http://host/d:/x.avi", discDriveD, nothingThere), "");
    EXPECT_EQ(disc::GoneDiscRoot("clip.avi", discDriveD, nothingThere), "");
    EXPECT_EQ(disc::GoneDiscRoot("d:", discDriveD, nothingThere), "");
    EXPECT_EQ(disc::GoneDiscRoot(nullptr, discDriveD, nothingThere), "");
    EXPECT_EQ(disc::DriveRootOf("d:/video_ts/video_ts.ifo"), "D:\\");
}

}  // namespace
