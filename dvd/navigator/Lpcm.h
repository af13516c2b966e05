// DVD linear PCM to the navigator's one output format, 48 kHz 16-bit stereo: the frame header
// gives quantization (16, 20 or 24 bits), rate (48 or 96 kHz) and channels; samples are
// big-endian, the 20- and 24-bit ones in groups of two samples whose low bits follow the high
// sixteen. The first two channels are kept (a mono stream plays on both), 96 kHz keeps every
// second sample. Bytes of an incomplete group wait for the next packet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace navigator {

struct LpcmFormat {
    unsigned bits = 16;
    unsigned rate = 48000;
    unsigned channels = 2;
};

// The format of the second header byte; false when it names a reserved value.
bool ReadLpcmFormat(uint8_t header1, LpcmFormat& format);

class LpcmConverter {
public:
    // Appends stereo 16-bit samples (interleaved, native order) for `size` bytes of payload.
    void Convert(const LpcmFormat& format, const uint8_t* data, size_t size, std::vector<int16_t>& out);
    void Reset() { mPending.clear(); }

private:
    std::vector<uint8_t> mPending;
    LpcmFormat mFormat;
    bool mOdd = false;  // 96 kHz: whether the next sample is dropped
};

}  // namespace navigator
