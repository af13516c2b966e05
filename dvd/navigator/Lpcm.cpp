#include "Lpcm.h"

namespace navigator {

bool ReadLpcmFormat(uint8_t header1, LpcmFormat& format) {
    unsigned quantization = header1 >> 6, rate = (header1 >> 4) & 3;
    if (quantization == 3 || rate > 1) return false;
    format.bits = 16 + 4 * quantization;
    format.rate = rate == 0 ? 48000 : 96000;
    format.channels = (header1 & 7) + 1u;
    return true;
}

void LpcmConverter::Convert(const LpcmFormat& format, const uint8_t* data, size_t size,
                            std::vector<int16_t>& out) {
    if (format.bits != mFormat.bits || format.channels != mFormat.channels || format.rate != mFormat.rate) {
        mPending.clear();
        mOdd = false;
        mFormat = format;
    }
    mPending.insert(mPending.end(), data, data + size);
    unsigned ch = format.channels;
    // One group: one sample of every channel at 16 bits; two at 20 and 24, whose low bits are
    // stored after both samples' high sixteen.
    unsigned perGroup = format.bits == 16 ? 1u : 2u;
    size_t group = format.bits == 16 ? 2u * ch : format.bits == 20 ? 5u * ch : 6u * ch;
    size_t at = 0;
    while (mPending.size() - at >= group) {
        const uint8_t* g = mPending.data() + at;
        for (unsigned s = 0; s < perGroup; ++s) {
            // The high sixteen bits of sample s of channel c, big-endian.
            auto high = [&](unsigned c) {
                const uint8_t* p = g + 2 * (s * ch + c);
                return static_cast<int16_t>(static_cast<uint16_t>(p[0] << 8 | p[1]));
            };
            bool keep = format.rate == 48000 || !mOdd;
            mOdd = !mOdd;
            if (!keep) continue;
            int16_t left = high(0), right = ch > 1 ? high(1) : left;
            out.push_back(left);
            out.push_back(right);
        }
        at += group;
    }
    mPending.erase(mPending.begin(), mPending.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace navigator
