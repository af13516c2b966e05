#include "AudioDecoder.h"

#include <cmath>

extern "C" {
#include <a52dec/a52.h>
}

namespace navigator {

namespace {

constexpr size_t kAc3HeaderBytes = 7;
constexpr size_t kAc3MaxBuffered = 64 * 1024;  // a stream that never syncs is dropped, not hoarded

int16_t ToSample(float v) {
    if (!(v == v)) return 0;  // NaN from a damaged frame
    if (v > 32767.0f) return 32767;
    if (v < -32768.0f) return -32768;
    return static_cast<int16_t>(std::lrintf(v));
}

}  // namespace

AudioDecoder::AudioDecoder() : mA52(a52_init(0)) {}

AudioDecoder::~AudioDecoder() {
    if (mA52) a52_free(mA52);
}

void AudioDecoder::Reset() {
    mAc3.clear();
    mAc3Consumed = 0;
    mStamps.clear();
    mHaveNext = false;
    mLpcm.Reset();
}

void AudioDecoder::Feed(const EsPacket& packet, std::vector<PcmChunk>& out) {
    if (packet.kind == EsKind::Ac3)
        FeedAc3(packet, out);
    else if (packet.kind == EsKind::Lpcm)
        FeedLpcm(packet, out);
}

void AudioDecoder::FeedAc3(const EsPacket& packet, std::vector<PcmChunk>& out) {
    if (!mA52) return;
    if (packet.hasPts) mStamps.push_back({mAc3Consumed + mAc3.size(), packet.pts});
    mAc3.insert(mAc3.end(), packet.data, packet.data + packet.size);
    size_t at = 0;
    while (mAc3.size() - at >= kAc3HeaderBytes) {
        int flags = 0, rate = 0, bitrate = 0;
        int length = a52_syncinfo(mAc3.data() + at, &flags, &rate, &bitrate);
        if (length <= 0) {
            ++at;  // not a frame start: look further
            continue;
        }
        if (mAc3.size() - at < static_cast<size_t>(length)) break;
        uint64_t frameStart = mAc3Consumed + at;
        // The last time stamp of a packet that began at or before this frame, used once.
        bool stamped = false;
        int64_t pts = 0;
        while (!mStamps.empty() && mStamps.front().offset <= frameStart) {
            stamped = true;
            pts = mStamps.front().pts;
            mStamps.pop_front();
        }
        PcmChunk chunk;
        if (stamped) {
            chunk.hasPts = true;
            chunk.pts = pts;
        } else if (mHaveNext) {
            chunk.hasPts = true;
            chunk.pts = mNextPts;
        }
        flags = A52_STEREO | A52_ADJUST_LEVEL;
        sample_t level = 32767, bias = 0;
        bool decoded = a52_frame(mA52, mAc3.data() + at, &flags, &level, bias) == 0;
        if (decoded) {
            chunk.samples.reserve(6 * 256 * 2);
            bool mono = (flags & A52_CHANNEL_MASK) == A52_MONO;
            for (int block = 0; block < 6 && decoded; ++block) {
                if (a52_block(mA52) != 0) {
                    decoded = false;
                    break;
                }
                const sample_t* s = a52_samples(mA52);
                const sample_t* left = s;
                const sample_t* right = mono ? s : s + 256;
                for (int i = 0; i < 256; ++i) {
                    chunk.samples.push_back(ToSample(left[i]));
                    chunk.samples.push_back(ToSample(right[i]));
                }
            }
        }
        // A damaged frame becomes silence of its length, so that the picture keeps its sound's time.
        if (!decoded) chunk.samples.assign(6 * 256 * 2, 0);
        if (chunk.hasPts) {
            mHaveNext = true;
            mNextPts = chunk.pts + 1536LL * 90000 / (rate > 0 ? rate : 48000);
        }
        out.push_back(std::move(chunk));
        at += static_cast<size_t>(length);
    }
    mAc3.erase(mAc3.begin(), mAc3.begin() + static_cast<std::ptrdiff_t>(at));
    mAc3Consumed += at;
    if (mAc3.size() > kAc3MaxBuffered) {
        mAc3Consumed += mAc3.size();
        mAc3.clear();
    }
}

void AudioDecoder::FeedLpcm(const EsPacket& packet, std::vector<PcmChunk>& out) {
    LpcmFormat format;
    if (!ReadLpcmFormat(packet.lpcmHeader[1], format)) return;
    PcmChunk chunk;
    mLpcm.Convert(format, packet.data, packet.size, chunk.samples);
    if (chunk.samples.empty()) return;
    if (packet.hasPts) {
        chunk.hasPts = true;
        chunk.pts = packet.pts;
    } else if (mHaveNext) {
        chunk.hasPts = true;
        chunk.pts = mNextPts;
    }
    if (chunk.hasPts) {
        mHaveNext = true;
        mNextPts = chunk.pts + static_cast<int64_t>(chunk.samples.size() / 2) * 90000 / kOutputRate;
    }
    out.push_back(std::move(chunk));
}

}  // namespace navigator
