#include "Yuv.h"

#include <vector>

namespace navigator {

namespace {

inline uint32_t Clamp(int v) {
    return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Fixed-point BT.601: R = 1.164(Y-16) + 1.596(V-128) and so on, in 1/256 steps.
struct Tables {
    int y[256], rv[256], gu[256], gv[256], bu[256];
    Tables() {
        for (int i = 0; i < 256; ++i) {
            y[i] = (i - 16) * 298 + 128;
            rv[i] = (i - 128) * 409;
            gu[i] = (i - 128) * -100;
            gv[i] = (i - 128) * -208;
            bu[i] = (i - 128) * 516;
        }
    }
};

const Tables& T() {
    static const Tables tables;
    return tables;
}

inline uint32_t Pixel(const Tables& t, int y, int u, int v) {
    int l = t.y[y];
    return Clamp((l + t.rv[v]) >> 8) << 16 | Clamp((l + t.gu[u] + t.gv[v]) >> 8) << 8 |
           Clamp((l + t.bu[u]) >> 8);
}

}  // namespace

uint32_t YuvToRgb(int y, int u, int v) {
    return Pixel(T(), y & 0xff, u & 0xff, v & 0xff);
}

void YuvToRgb32(const YuvPicture& p, uint8_t* out, int outWidth, int outHeight, int outStride) {
    const Tables& t = T();
    if (p.width <= 0 || p.height <= 0 || !p.y || !p.u || !p.v) return;
    bool sameSize = p.width == outWidth && p.height == outHeight;
    // Source column of each output column, when stretching.
    std::vector<int> columns;
    if (!sameSize) {
        columns.resize(static_cast<size_t>(outWidth));
        for (int x = 0; x < outWidth; ++x)
            columns[static_cast<size_t>(x)] = static_cast<int>(static_cast<int64_t>(x) * p.width / outWidth);
    }
    for (int row = 0; row < outHeight; ++row) {
        int sy = sameSize ? row : static_cast<int>(static_cast<int64_t>(row) * p.height / outHeight);
        const uint8_t* ys = p.y + static_cast<int64_t>(sy) * p.yStride;
        const uint8_t* us = p.u + static_cast<int64_t>(sy / 2) * p.cStride;
        const uint8_t* vs = p.v + static_cast<int64_t>(sy / 2) * p.cStride;
        auto* dst = reinterpret_cast<uint32_t*>(out + static_cast<int64_t>(outHeight - 1 - row) * outStride);
        if (sameSize) {
            for (int x = 0; x + 1 < outWidth; x += 2) {
                int u = us[x / 2], v = vs[x / 2];
                dst[x] = Pixel(t, ys[x], u, v);
                dst[x + 1] = Pixel(t, ys[x + 1], u, v);
            }
            if (outWidth & 1)
                dst[outWidth - 1] =
                    Pixel(t, ys[outWidth - 1], us[(outWidth - 1) / 2], vs[(outWidth - 1) / 2]);
        } else {
            for (int x = 0; x < outWidth; ++x) {
                int sx = columns[static_cast<size_t>(x)];
                dst[x] = Pixel(t, ys[sx], us[sx / 2], vs[sx / 2]);
            }
        }
    }
}

}  // namespace navigator
