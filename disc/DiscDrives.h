// The computer's CD/DVD drives as the player sees them: the drive table, the armed masks of the
// automatic start, the drives' menu texts and their trays.
#pragma once

#include <cstdint>
#include <string>

#include "DiscProbe.h"

namespace disc {

// The drive table and auto-start state the main window keeps for the life of the process.
class DiscDrives {
public:
    static constexpr uint32_t kAllArmed = 0xFFFFFFFFu;

    char mDriveRoots[kMaxDrives][kRootChars] = {};  // in the platform's order
    int mDriveCount = 0;
    int mDoorOpen[kMaxDrives] = {};  // 1: the player's last tray action on the drive opened it
    uint32_t mDvdArmed = kAllArmed;  // bit per drive letter: a DVD found there may start by itself
    uint32_t mVcdArmed = kAllArmed;  // the same for Video CD and Super Video CD discs

    // Rebuilds the table from the drives of this moment; every user of the table calls it first.
    void ScanDrives();
    // Every drive may start its disc automatically again.
    void RearmDiscs() { mDvdArmed = mVcdArmed = kAllArmed; }
    // One automatic-start poll over a fresh table, probing the real drives.
    PollDecision PollOnce();
    // The volume label of drive `index`; false when it cannot be read (no disc in the drive).
    bool ReadVolumeLabel(int index, std::string& label) const;
    // Menu texts of drive `index`, with its label when one can be read.
    std::string OpenItemText(int index) const;
    std::string EjectItemText(int index) const;
};

// The root of the CD/DVD drive whose disc held `path` when that disc is gone, else empty.
std::string GoneDiscRoot(const char* path);

// One MCI session with a drive's tray under the alias "driveCDROM"; the alias is closed when
// the session ends. The commands wait until the tray has moved.
class TraySession {
public:
    explicit TraySession(const char* root);
    ~TraySession();
    TraySession(const TraySession&) = delete;
    TraySession& operator=(const TraySession&) = delete;

    bool OpenDoor();
    bool CloseDoor();
};

}  // namespace disc
