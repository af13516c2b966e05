#include "VideoDecoder.h"

extern "C" {
#include <mpeg2dec/mpeg2.h>
}

namespace navigator {

VideoDecoder::VideoDecoder() : mDecoder(mpeg2_init()) {}

VideoDecoder::~VideoDecoder() {
    if (mDecoder) mpeg2_close(mDecoder);
}

void VideoDecoder::Reset() {
    if (mDecoder) mpeg2_reset(mDecoder, 1);
}

void VideoDecoder::Feed(const uint8_t* data, size_t size, bool tagged, uint32_t tag, const Sink& sink) {
    if (!mDecoder || size == 0) return;
    if (tagged) mpeg2_tag_picture(mDecoder, tag, 0);
    // libmpeg2 reads the bytes in place until it asks for more, which is before this returns.
    auto* start = const_cast<uint8_t*>(data);
    mpeg2_buffer(mDecoder, start, start + size);
    Parse(sink);
}

void VideoDecoder::Drain(const Sink& sink) {
    if (!mDecoder) return;
    static uint8_t sequenceEnd[4] = {0, 0, 1, 0xb7};
    mpeg2_buffer(mDecoder, sequenceEnd, sequenceEnd + 4);
    Parse(sink);
}

void VideoDecoder::Parse(const Sink& sink) {
    const mpeg2_info_t* info = mpeg2_info(mDecoder);
    for (;;) {
        mpeg2_state_t state = mpeg2_parse(mDecoder);
        switch (state) {
            case STATE_BUFFER:
                return;
            case STATE_SEQUENCE:
                if (info->sequence && info->sequence->frame_period)
                    mPeriodTicks = info->sequence->frame_period / 300;  // 27 MHz to 90 kHz
                break;
            case STATE_SLICE:
            case STATE_END:
            case STATE_INVALID_END:
                if (info->display_fbuf && info->sequence && info->display_picture &&
                    !(info->display_picture->flags & PIC_FLAG_SKIP)) {
                    const mpeg2_sequence_t* seq = info->sequence;
                    DecodedPicture picture;
                    picture.yuv.y = info->display_fbuf->buf[0];
                    picture.yuv.u = info->display_fbuf->buf[1];
                    picture.yuv.v = info->display_fbuf->buf[2];
                    picture.yuv.width = static_cast<int>(seq->width);
                    picture.yuv.height = static_cast<int>(seq->height);
                    picture.yuv.yStride = static_cast<int>(seq->width);
                    picture.yuv.cStride = static_cast<int>(seq->chroma_width);
                    // 4:2:0 only: a 4:2:2 stream (not DVD-Video) is not shown rather than shown wrong.
                    if (seq->chroma_height != seq->height / 2 || seq->chroma_width != seq->width / 2) break;
                    picture.tagged = (info->display_picture->flags & PIC_FLAG_TAGS) != 0;
                    picture.tag = info->display_picture->tag;
                    picture.periodTicks = mPeriodTicks;
                    picture.keyFrame =
                        (info->display_picture->flags & PIC_MASK_CODING_TYPE) == PIC_FLAG_CODING_TYPE_I;
                    sink(picture);
                }
                break;
            default:
                break;
        }
    }
}

}  // namespace navigator
