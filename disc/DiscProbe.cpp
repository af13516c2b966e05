#include "DiscProbe.h"

#include <cstdio>

namespace disc {

namespace {

struct KindFiles {
    DiscKind kind;
    const char* probe;         // under the root
    const char* trackPattern;  // root, then the track number; null for a DVD
};

// The probe order: a DVD first, then the Video CD layouts, then the Super Video CD ones.
constexpr KindFiles kKinds[] = {
    {DiscKind::DvdVideo, "VIDEO_TS\\VIDEO_TS.IFO", nullptr},
    {DiscKind::VideoCd, "MPEGAV\\AVSEQ01.DAT", "%sMPEGAV\\AVSEQ%2.2d.DAT"},
    {DiscKind::VideoCdMusic, "MPEGAV\\MUSIC01.DAT", "%sMPEGAV\\MUSIC%2.2d.DAT"},
    {DiscKind::SuperVcdMusic, "MPEG2\\MUSIC01.MPG", "%sMPEG2\\MUSIC%2.2d.MPG"},
    {DiscKind::SuperVcd, "MPEG2\\AVSEQ01.MPG", "%sMPEG2\\AVSEQ%2.2d.MPG"},
};

const KindFiles* FilesOf(DiscKind kind) {
    for (const KindFiles& files : kKinds) {
        if (files.kind == kind) return &files;
    }
    return nullptr;
}

// A printf pattern of ours with one string and one number, into a string of any length.
std::string Format(const char* pattern, const char* text, int number) {
    int length = std::snprintf(nullptr, 0, pattern, text, number);
    if (length <= 0) return {};
    std::string result(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(result.data(), result.size(), pattern, text, number);
    result.resize(static_cast<size_t>(length));
    return result;
}

std::string ItemText(const char* prefix, const char* root, const char* label) {
    std::string text = std::string(prefix) + "[" + root + "]";
    if (label) text += std::string(" ") + label;
    return text;
}

}  // namespace

std::string ProbePath(const char* root, DiscKind kind) {
    const KindFiles* files = FilesOf(kind);
    return files ? std::string(root) + files->probe : std::string();
}

std::string TrackPath(const char* root, DiscKind kind, int number) {
    const KindFiles* files = FilesOf(kind);
    if (!files || !files->trackPattern) return {};
    return Format(files->trackPattern, root, number);
}

DiscKind DetectDisc(const char* root, const FileExistsFn& exists) {
    for (const KindFiles& files : kKinds) {
        if (exists(ProbePath(root, files.kind).c_str())) return files.kind;
    }
    return DiscKind::None;
}

std::vector<std::string> NumberedTracks(const char* root, DiscKind kind, const FileExistsFn& exists) {
    std::vector<std::string> tracks;
    for (int number = 1;; ++number) {
        std::string path = TrackPath(root, kind, number);
        if (path.empty() || !exists(path.c_str())) break;
        tracks.push_back(std::move(path));
    }
    return tracks;
}

uint32_t DriveBit(const char* root) {
    char letter = root ? root[0] : '\0';
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z') return 0;
    return 1u << (letter - 'A');
}

PollDecision PollDrives(const char (*roots)[kRootChars], int count, const FileExistsFn& exists,
                        uint32_t& dvdArmed, uint32_t& vcdArmed) {
    PollDecision decision;
    for (int index = 0; index < count; ++index) {
        const char* root = roots[index];
        uint32_t bit = DriveBit(root);
        std::string dvdProbe = ProbePath(root, DiscKind::DvdVideo);
        if (exists(dvdProbe.c_str())) {
            if (dvdArmed & bit) {
                decision.action = PollDecision::Action::OpenDvd;
                decision.probePath = dvdProbe;
            }
            dvdArmed &= ~bit;
            decision.drive = index;
            decision.kind = DiscKind::DvdVideo;
            return decision;
        }
        dvdArmed |= bit;
        // Only a drive without any disc of the family arms it again: were a missing first layout
        // to arm it, a disc of a later layout would start anew at every idle poll.
        for (DiscKind kind :
             {DiscKind::VideoCd, DiscKind::VideoCdMusic, DiscKind::SuperVcdMusic, DiscKind::SuperVcd}) {
            std::string probe = ProbePath(root, kind);
            if (!exists(probe.c_str())) continue;
            if (vcdArmed & bit) {
                decision.action = PollDecision::Action::OpenTracks;
                decision.probePath = probe;
            }
            vcdArmed &= ~bit;
            decision.drive = index;
            decision.kind = kind;
            return decision;
        }
        vcdArmed |= bit;
    }
    return decision;
}

std::string OpenItemText(const char* root, const char* label) {
    return ItemText("Open ", root, label);
}

std::string EjectItemText(const char* root, const char* label) {
    return ItemText("", root, label);
}

bool PathOnDrive(const char* path, const char* root) {
    if (!path || !root || !path[0] || !root[0]) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(path[0]) == lower(root[0]);
}

std::string DriveRootOf(const char* path) {
    if (!path) return {};
    char letter = path[0];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z' || path[1] != ':' || (path[2] != '\\' && path[2] != '/')) return {};
    return {letter, ':', '\\'};
}

std::string GoneDiscRoot(const char* path, const std::function<bool(const char* root)>& isDiscDrive,
                         const FileExistsFn& exists) {
    std::string root = DriveRootOf(path);
    if (root.empty() || !isDiscDrive(root.c_str()) || exists(path)) return {};
    return root;
}

}  // namespace disc
