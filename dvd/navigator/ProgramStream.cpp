#include "ProgramStream.h"

namespace navigator {

namespace {

int64_t ReadPts(const uint8_t* p) {
    return static_cast<int64_t>(p[0] & 0x0e) << 29 | static_cast<int64_t>(p[1]) << 22 |
           static_cast<int64_t>(p[2] & 0xfe) << 14 | static_cast<int64_t>(p[3]) << 7 | (p[4] >> 1);
}

// Fills `out` from one PES packet (start code to its end); false when it holds nothing we use.
bool ReadPes(const uint8_t* pes, size_t length, EsPacket& out) {
    uint8_t id = pes[3];
    bool video = id == 0xe0, mpegAudio = id >= 0xc0 && id <= 0xc7, private1 = id == 0xbd;
    if (!video && !mpegAudio && !private1) return false;
    if (length < 9 || (pes[6] & 0xc0) != 0x80) return false;  // MPEG-2 PES header only
    out.scrambled = (pes[6] & 0x30) != 0;
    size_t headerEnd = 9 + static_cast<size_t>(pes[8]);
    if (headerEnd > length) return false;
    if ((pes[7] & 0x80) && pes[8] >= 5) {
        out.hasPts = true;
        out.pts = ReadPts(pes + 9);
    }
    const uint8_t* payload = pes + headerEnd;
    size_t size = length - headerEnd;
    if (video) {
        out.kind = EsKind::Video;
    } else if (mpegAudio) {
        out.kind = EsKind::MpegAudio;
        out.stream = id - 0xc0u;
    } else {
        if (size < 1) return false;
        uint8_t sub = payload[0];
        size_t skip;
        if (sub >= 0x20 && sub <= 0x3f) {
            out.kind = EsKind::Subpicture;
            out.stream = sub - 0x20u;
            skip = 1;
        } else if (sub >= 0x80 && sub <= 0x87) {
            out.kind = EsKind::Ac3;
            out.stream = sub - 0x80u;
            skip = 4;  // substream, frame count, first access unit
        } else if (sub >= 0x88 && sub <= 0x8f) {
            out.kind = EsKind::Dts;
            out.stream = sub - 0x88u;
            skip = 4;
        } else if (sub >= 0xa0 && sub <= 0xa7) {
            out.kind = EsKind::Lpcm;
            out.stream = sub - 0xa0u;
            skip = 7;  // substream, frame count, first access unit, the frame header
            if (size >= 7) {
                out.lpcmHeader[0] = payload[4];
                out.lpcmHeader[1] = payload[5];
                out.lpcmHeader[2] = payload[6];
            }
        } else {
            return false;
        }
        if (size < skip) return false;
        payload += skip;
        size -= skip;
    }
    out.data = payload;
    out.size = size;
    return true;
}

}  // namespace

size_t ParsePack(const uint8_t* s, size_t size, EsPacket* packets, size_t max) {
    if (!s || size < 14 || s[0] != 0 || s[1] != 0 || s[2] != 1 || s[3] != 0xba) return 0;
    if ((s[4] & 0xc0) != 0x40) return 0;  // an MPEG-1 pack header: not DVD-Video
    size_t at = 14 + (s[13] & 7);
    size_t found = 0;
    while (at + 6 <= size && found < max) {
        if (s[at] != 0 || s[at + 1] != 0 || s[at + 2] != 1) break;
        uint8_t id = s[at + 3];
        if (id == 0xb9) break;  // program end
        if (id == 0xba) break;  // a second pack: not in a DVD sector
        size_t length = 6 + (static_cast<size_t>(s[at + 4]) << 8 | s[at + 5]);
        if (at + length > size) break;  // a packet longer than its sector: damaged, not decoded
        EsPacket packet;
        if (ReadPes(s + at, length, packet)) packets[found++] = packet;
        at += length;
    }
    return found;
}

}  // namespace navigator
