// MPEG-1/2 video decoding with libmpeg2: elementary stream bytes in, pictures in display order
// out, each with the tag its packet was given (the caller's index of the packet's time stamp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "Yuv.h"

struct mpeg2dec_s;

namespace navigator {

struct DecodedPicture {
    YuvPicture yuv;  // valid during the callback only
    bool tagged = false;
    uint32_t tag = 0;
    int64_t periodTicks = 3600;  // one frame, 90 kHz
    bool keyFrame = false;
};

class VideoDecoder {
public:
    using Sink = std::function<void(const DecodedPicture&)>;
    VideoDecoder();
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    bool Ready() const { return mDecoder != nullptr; }
    // Forgets every picture under way: the next one shown is the next complete I picture.
    void Reset();
    // Decodes `size` bytes; `tag` marks the first picture that starts in them.
    void Feed(const uint8_t* data, size_t size, bool tagged, uint32_t tag, const Sink& sink);
    // The picture libmpeg2 holds back for reordering comes out, as at the end of a still's VOBU.
    void Drain(const Sink& sink);

private:
    void Parse(const Sink& sink);
    mpeg2dec_s* mDecoder = nullptr;
    int64_t mPeriodTicks = 3600;
};

}  // namespace navigator
