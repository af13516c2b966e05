#include "StateStream.h"

namespace navigator {

namespace {

constexpr uint8_t kTag[4] = {'T', 'N', 'A', 'V'};
constexpr uint32_t kVersion = 1;
constexpr uint32_t kFieldBytes = 8 + 10 * 4;

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Adler-32: enough to tell a damaged file from a good one.
uint32_t Checksum(const uint8_t* p, size_t n) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < n; ++i) {
        a = (a + p[i]) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

}  // namespace

std::vector<uint8_t> SerializeState(const SavedState& s) {
    std::vector<uint8_t> out(kTag, kTag + 4);
    Put32(out, kVersion);
    Put32(out, kFieldBytes);
    Put32(out, static_cast<uint32_t>(s.discId));
    Put32(out, static_cast<uint32_t>(s.discId >> 32));
    for (uint32_t v : {s.domain, s.title, s.chapter, s.timeMs, s.audio, s.subpicture, s.subpictureOn, s.angle,
                       s.menuButton, s.parentalLevel})
        Put32(out, v);
    Put32(out, Checksum(out.data(), out.size()));
    return out;
}

StateParse ParseState(const uint8_t* data, size_t size, SavedState& state, size_t* used) {
    if (used) *used = 0;
    if (!data || size < 12) return StateParse::Corrupt;
    for (int i = 0; i < 4; ++i)
        if (data[i] != kTag[i]) return StateParse::Corrupt;
    if (Get32(data + 4) != kVersion) return StateParse::WrongVersion;
    if (Get32(data + 8) != kFieldBytes || size < kSavedStateBytes) return StateParse::Corrupt;
    const uint8_t* f = data + 12;
    if (Get32(f + kFieldBytes) != Checksum(data, 12 + kFieldBytes)) return StateParse::Corrupt;
    SavedState s;
    s.discId = static_cast<uint64_t>(Get32(f)) | static_cast<uint64_t>(Get32(f + 4)) << 32;
    uint32_t* fields[] = {&s.domain,     &s.title,        &s.chapter, &s.timeMs,     &s.audio,
                          &s.subpicture, &s.subpictureOn, &s.angle,   &s.menuButton, &s.parentalLevel};
    for (size_t i = 0; i < 10; ++i)
        *fields[i] = Get32(f + 8 + 4 * i);
    state = s;
    if (used) *used = kSavedStateBytes;
    return StateParse::Ok;
}

}  // namespace navigator
