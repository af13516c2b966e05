// The navigator's audio decoding: AC-3 (liba52) and LPCM of the chosen stream, to 48 kHz 16-bit
// stereo chunks, each with the presentation time of its first sample where the stream gave one.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "Lpcm.h"
#include "ProgramStream.h"

struct a52_state_s;

namespace navigator {

inline constexpr unsigned kOutputRate = 48000;

struct PcmChunk {
    std::vector<int16_t> samples;  // interleaved stereo
    bool hasPts = false;
    int64_t pts = 0;  // 90 kHz, as the stream stamped it
};

class AudioDecoder {
public:
    AudioDecoder();
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    // Forgets buffered bytes (a jump or a stream change).
    void Reset();
    // Decodes what `packet` completes. Kinds other than AC-3 and LPCM give nothing (the caller
    // counts them as unsupported).
    void Feed(const EsPacket& packet, std::vector<PcmChunk>& out);
    static bool Decodes(EsKind kind) { return kind == EsKind::Ac3 || kind == EsKind::Lpcm; }

private:
    void FeedAc3(const EsPacket& packet, std::vector<PcmChunk>& out);
    void FeedLpcm(const EsPacket& packet, std::vector<PcmChunk>& out);

    a52_state_s* mA52 = nullptr;
    std::vector<uint8_t> mAc3;  // bytes not yet decoded
    uint64_t mAc3Consumed = 0;  // stream offset of mAc3's first byte
    struct Stamp {
        uint64_t offset;  // stream offset of the packet's first byte
        int64_t pts;
    };
    std::deque<Stamp> mStamps;
    bool mHaveNext = false;
    int64_t mNextPts = 0;  // where the next frame starts when it has no time of its own
    LpcmConverter mLpcm;
};

}  // namespace navigator
