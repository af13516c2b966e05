// The drive table, disc detection and trays on real CD-ROM drives of the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CdDrives.h"
#include "DiscDrives.h"
#include "Driver.h"
#include "FileSystem.h"
#include "Handles.h"

namespace {

// A drive left behind by an earlier run that was killed would show in every table.
class NoCdDrivesLeft : public ::testing::Environment {
public:
    void SetUp() override { disctest::RemoveAllCdDrives(); }
};
const auto* const kNoCdDrivesLeft = ::testing::AddGlobalTestEnvironment(new NoCdDrivesLeft);

using disc::PollDecision;
using Action = PollDecision::Action;
using disctest::CdDrive;

std::string Clip() {
    return e2e::MediaDirectory() + "clip.mpg";
}

// "prefix[root] label", built by appending (GCC 12 warns falsely about "literal" + string here).
std::string ItemFor(const char* prefix, const std::string& root, const std::string& label) {
    std::string text(prefix);
    text.append("[").append(root).append("] ").append(label);
    return text;
}

std::vector<std::string> TableRoots(const disc::DiscDrives& drives) {
    return {drives.mDriveRoots, drives.mDriveRoots + drives.mDriveCount};
}

TEST(DriveTable, HoldsTheCdDrivesInThePlatformsOrderAndNothingElse) {
    disc::DiscDrives drives;
    drives.ScanDrives();
    EXPECT_EQ(drives.mDriveCount, 0) << "the test prefix has no CD drive of its own";

    CdDrive later('R'), earlier('N');
    ASSERT_TRUE(later && earlier);
    drives.ScanDrives();
    EXPECT_EQ(TableRoots(drives), (std::vector<std::string>{earlier.Root(), later.Root()}));
    EXPECT_STREQ(drives.mDriveRoots[2], "");
}

TEST(DriveTable, FollowsDrivesThatComeAndGo) {
    disc::DiscDrives drives;
    auto drive = std::make_unique<CdDrive>('N');
    ASSERT_TRUE(*drive);
    drives.ScanDrives();
    EXPECT_EQ(drives.mDriveCount, 1);
    ASSERT_TRUE(drive->MarkFixed(true));
    drives.ScanDrives();
    EXPECT_EQ(drives.mDriveCount, 0);
    ASSERT_TRUE(drive->MarkFixed(false));
    drives.ScanDrives();
    EXPECT_EQ(drives.mDriveCount, 1);
    drive.reset();
    drives.ScanDrives();
    EXPECT_EQ(drives.mDriveCount, 0);
}

TEST(DriveTable, KeepsEveryDriveBeyondEight) {
    std::vector<std::unique_ptr<CdDrive>> many;
    for (int i = 0; i < 10; ++i) {
        many.push_back(std::make_unique<CdDrive>('D'));
        ASSERT_TRUE(*many.back());
    }
    disc::DiscDrives drives;
    drives.ScanDrives();
    ASSERT_EQ(drives.mDriveCount, 10);
    EXPECT_EQ(drives.mDriveRoots[9], many[9]->Root());
    EXPECT_EQ(drives.OpenItemText(9).rfind("Open [" + many[9]->Root() + "]", 0), 0u);
}

TEST(DriveMenuItems, ShowTheVolumeLabel) {
    CdDrive named('N', "HOLIDAY_2026");
    ASSERT_TRUE(named);
    disc::DiscDrives drives;
    drives.ScanDrives();
    ASSERT_EQ(drives.mDriveCount, 1);
    EXPECT_EQ(drives.OpenItemText(0), ItemFor("Open ", named.Root(), "HOLIDAY_2026"));
    EXPECT_EQ(drives.EjectItemText(0), ItemFor("", named.Root(), "HOLIDAY_2026"));
}

TEST(DriveMenuItems, TheLongestVolumeLabelIsShownWhole) {
    std::string longest(32, 'V');  // the most a disc's volume descriptor holds
    CdDrive drive('N', longest);
    ASSERT_TRUE(drive);
    disc::DiscDrives drives;
    drives.ScanDrives();
    ASSERT_EQ(drives.mDriveCount, 1);
    EXPECT_EQ(drives.OpenItemText(0), ItemFor("Open ", drive.Root(), longest));
    EXPECT_EQ(drives.EjectItemText(0), ItemFor("", drive.Root(), longest));
}

TEST(DiscDetection, FindsTheDiscThatWasPutIntoAnEmptyDrive) {
    CdDrive drive('N');
    ASSERT_TRUE(drive);
    disc::DiscDrives drives;
    EXPECT_EQ(drives.PollOnce().action, Action::Nothing);

    ASSERT_TRUE(drive.PutTracks("MPEGAV", "AVSEQ", "DAT", 2, Clip()));
    PollDecision found = drives.PollOnce();
    EXPECT_EQ(found.action, Action::OpenTracks);
    EXPECT_EQ(found.probePath, drive.Root() + "MPEGAV\\AVSEQ01.DAT");
    EXPECT_EQ(disc::NumberedTracks(drive.Root().c_str(), found.kind, fw::FileExists),
              (std::vector<std::string>{drive.Root() + "MPEGAV\\AVSEQ01.DAT",
                                        drive.Root() + "MPEGAV\\AVSEQ02.DAT"}));
    EXPECT_EQ(drives.PollOnce().action, Action::Nothing);  // seen already

    drive.Empty();
    EXPECT_EQ(drives.PollOnce().drive, -1);
    ASSERT_TRUE(drive.PutTracks("MPEG2", "AVSEQ", "MPG", 1, Clip()));
    EXPECT_EQ(drives.PollOnce().action, Action::OpenTracks);
}

TEST(DiscDetection, FoldersUnreadableFilesAndVanishedDrivesAreNoDisc) {
    auto drive = std::make_unique<CdDrive>('N');
    ASSERT_TRUE(*drive);
    std::string root = drive->Root();
    disc::DiscDrives drives;

    // A folder where the probe file should be.
    ASSERT_TRUE(::CreateDirectoryA((drive->Folder() + "VIDEO_TS").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA((drive->Folder() + "VIDEO_TS\\VIDEO_TS.IFO").c_str(), nullptr));
    EXPECT_EQ(drives.PollOnce().drive, -1);

    // A probe file that cannot be opened for reading.
    ASSERT_TRUE(drive->PutFile("MPEGAV\\AVSEQ01.DAT", Clip()));
    {
        fw::FileHandle locked(::CreateFileA((drive->Folder() + "MPEGAV\\AVSEQ01.DAT").c_str(), GENERIC_READ,
                                            0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked);
        EXPECT_EQ(drives.PollOnce().drive, -1);
    }
    EXPECT_EQ(drives.PollOnce().action, Action::OpenTracks);

    // The drive goes between the scan and the probes.
    drives.ScanDrives();
    ASSERT_EQ(drives.mDriveCount, 1);
    drive.reset();
    UINT before = ::SetErrorMode(0);
    ::SetErrorMode(before);
    uint32_t dvd = disc::DiscDrives::kAllArmed, vcd = disc::DiscDrives::kAllArmed;
    EXPECT_EQ(disc::PollDrives(drives.mDriveRoots, drives.mDriveCount, fw::FileExists, dvd, vcd).drive, -1);
    EXPECT_EQ(::SetErrorMode(before), before) << "the probes put the error mode back";
}

TEST(Trays, ACdDriveTakesTheTrayCommandsAndAFixedDiskRefusesThem) {
    CdDrive drive('N');
    ASSERT_TRUE(drive);
    {
        disc::TraySession tray(drive.Root().c_str());
        EXPECT_TRUE(tray.OpenDoor());
        EXPECT_TRUE(tray.CloseDoor());
    }
    ASSERT_TRUE(drive.MarkFixed(true));
    {
        disc::TraySession tray(drive.Root().c_str());
        EXPECT_FALSE(tray.OpenDoor());
        EXPECT_FALSE(tray.CloseDoor());
    }
    // The alias was closed at the end of each session: a new one opens again.
    ASSERT_TRUE(drive.MarkFixed(false));
    disc::TraySession again(drive.Root().c_str());
    EXPECT_TRUE(again.OpenDoor());
}

}  // namespace
