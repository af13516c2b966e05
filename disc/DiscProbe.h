// What kind of video disc a drive holds, the tracks it plays and when the drive poll may start
// it: plain logic over a "does this file exist" question, so every case can be walked without a
// drive.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace disc {

// The drive table's shape: root strings as the platform gives them ("D:\"), at most 32 drives.
inline constexpr int kRootChars = 8;
inline constexpr int kMaxDrives = 32;

// Answers whether a file exists and opens for reading (folders do not count).
using FileExistsFn = std::function<bool(const char* path)>;

enum class DiscKind {
    None,
    DvdVideo,       // "VIDEO_TS\VIDEO_TS.IFO"
    VideoCd,        // "MPEGAV\AVSEQ01.DAT"
    VideoCdMusic,   // "MPEGAV\MUSIC01.DAT"
    SuperVcdMusic,  // "MPEG2\MUSIC01.MPG"
    SuperVcd,       // "MPEG2\AVSEQ01.MPG"
};

// The probe file of a kind under a drive root ("D:\" + "VIDEO_TS\VIDEO_TS.IFO"); empty for None.
std::string ProbePath(const char* root, DiscKind kind);
// Track `number` of a Video CD or Super Video CD kind: at least two digits with a leading zero.
// Empty for None and for a DVD, whose tracks the navigator finds itself.
std::string TrackPath(const char* root, DiscKind kind, int number);

// The first kind, in probe order, whose probe file exists under root; None when none does.
DiscKind DetectDisc(const char* root, const FileExistsFn& exists);

// Tracks 1, 2, 3... of a track kind, up to the first number that does not exist.
std::vector<std::string> NumberedTracks(const char* root, DiscKind kind, const FileExistsFn& exists);

// The drive's bit in the armed masks: bit 0 for "A", bit 25 for "Z" (either case). A root that
// does not start with a letter has no bit (0), so it can be neither armed nor disarmed.
uint32_t DriveBit(const char* root);

// What one poll of the drives decided.
struct PollDecision {
    enum class Action { Nothing, OpenDvd, OpenTracks };
    Action action = Action::Nothing;
    int drive = -1;                  // table index of the drive that ended the poll, -1 for none
    DiscKind kind = DiscKind::None;  // the disc found there
    std::string probePath;           // the path that opens it: the ".ifo" or track 1
};

// One poll over the drive roots in table order. The first drive with any recognised disc ends
// the poll; its disc is to be started only when its family's bit is still armed, and the bit is
// cleared either way. A drive seen without a disc of a family arms that family's bit again, so a
// disc starts once when it is first seen and again only after its drive was found without it.
PollDecision PollDrives(const char (*roots)[kRootChars], int count, const FileExistsFn& exists,
                        uint32_t& dvdArmed, uint32_t& vcdArmed);

// Menu item texts for a drive: "Open [D:\] LABEL" in the open-resource menu, "[D:\] LABEL" in
// the eject choice; without a label (no volume information: no disc) only the bracketed root.
std::string OpenItemText(const char* root, const char* label);
std::string EjectItemText(const char* root, const char* label);

// Whether a media path lies on the drive of root: the drive letters compared without case.
bool PathOnDrive(const char* path, const char* root);

// The drive root of a path that starts with a drive letter: d:\x gives D:\ (upper case), else empty.
std::string DriveRootOf(const char* path);
// The root of the disc a media path was on when that disc is gone: the path lies on a drive
// that `isDiscDrive` calls a CD/DVD drive and the file is no longer there. Empty otherwise, also
// for a path that is not a drive path (an address, a relative name).
std::string GoneDiscRoot(const char* path, const std::function<bool(const char* root)>& isDiscDrive,
                         const FileExistsFn& exists);

}  // namespace disc
