// The MPEG-2 program stream of a DVD sector: one pack header and the PES packets after it. Only
// what the navigator decodes is picked out: video, the audio of private stream 1 (AC-3, DTS,
// LPCM) and of the MPEG audio streams, and subpictures. Works on untrusted bytes: nothing is
// read outside the sector.
#pragma once

#include <cstddef>
#include <cstdint>

namespace navigator {

enum class EsKind { Video, Ac3, Dts, Lpcm, MpegAudio, Subpicture, Other };

struct EsPacket {
    EsKind kind = EsKind::Other;
    unsigned stream = 0;  // the physical stream number within its kind (0-7, subpictures 0-31)
    bool hasPts = false;
    int64_t pts = 0;                // 90 kHz
    bool scrambled = false;         // the PES header says the payload is encrypted (CSS)
    const uint8_t* data = nullptr;  // the elementary stream bytes, without private stream headers
    size_t size = 0;
    // LPCM: the three bytes of its audio frame header (emphasis/mute/frame number,
    // quantization/rate/channels, dynamic range).
    uint8_t lpcmHeader[3] = {};
};

inline constexpr size_t kSectorBytes = 2048;

// The packets of one pack, at most `max`; the number found. A sector that is not an MPEG-2 pack
// gives 0.
size_t ParsePack(const uint8_t* sector, size_t size, EsPacket* packets, size_t max);

}  // namespace navigator
