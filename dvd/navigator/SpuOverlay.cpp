#include "SpuOverlay.h"

#include "Yuv.h"

namespace navigator {

SpuHighlight ButtonHighlight(int left, int top, int right, int bottom, uint32_t word) {
    SpuHighlight h;
    h.on = true;
    h.left = left;
    h.top = top;
    h.right = right;
    h.bottom = bottom;
    for (int type = 0; type < 4; ++type) {
        h.colour[type] = static_cast<uint8_t>((word >> (16 + 4 * type)) & 0x0f);
        h.contrast[type] = static_cast<uint8_t>((word >> (4 * type)) & 0x0f);
    }
    return h;
}

uint32_t PaletteRgb(uint32_t entry) {
    int y = static_cast<int>((entry >> 16) & 0xff);
    int cr = static_cast<int>((entry >> 8) & 0xff);
    int cb = static_cast<int>(entry & 0xff);
    return YuvToRgb(y, cb, cr);
}

namespace {

struct Ink {
    uint32_t rgb = 0;
    unsigned alpha = 0;  // 0 to 15
};

inline void Put(uint8_t* p, const Ink& ink) {
    if (ink.alpha == 0) return;
    unsigned a = ink.alpha, keep = 15 - a;
    unsigned r = (ink.rgb >> 16) & 0xff, g = (ink.rgb >> 8) & 0xff, b = ink.rgb & 0xff;
    // Bytes in memory are blue, green, red, unused.
    p[0] = static_cast<uint8_t>((b * a + p[0] * keep) / 15);
    p[1] = static_cast<uint8_t>((g * a + p[1] * keep) / 15);
    p[2] = static_cast<uint8_t>((r * a + p[2] * keep) / 15);
}

}  // namespace

void DrawSpu(const SpuPicture& spu, const uint32_t (&palette)[16], const SpuHighlight* highlight,
             uint8_t* rgb, int width, int height, int stride) {
    if (!rgb || spu.width <= 0 || spu.height <= 0 ||
        spu.pixels.size() < static_cast<size_t>(spu.width) * static_cast<size_t>(spu.height))
        return;
    Ink own[4], lit[4];
    for (int t = 0; t < 4; ++t) {
        own[t] = Ink{PaletteRgb(palette[spu.colour[t] & 0x0f]), spu.contrast[t] & 0x0fu};
        if (highlight && highlight->on)
            lit[t] = Ink{PaletteRgb(palette[highlight->colour[t] & 0x0f]), highlight->contrast[t] & 0x0fu};
    }
    bool lighting = highlight && highlight->on;
    for (int row = 0; row < spu.height; ++row) {
        int y = spu.top + row;
        if (y < 0 || y >= height) continue;
        uint8_t* line = rgb + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(stride);
        const uint8_t* types = spu.pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(spu.width);
        bool litRow = lighting && y >= highlight->top && y <= highlight->bottom;
        for (int column = 0; column < spu.width; ++column) {
            int x = spu.left + column;
            if (x < 0 || x >= width) continue;
            unsigned t = types[column] & 3u;
            bool inButton = litRow && x >= highlight->left && x <= highlight->right;
            Put(line + static_cast<size_t>(x) * 4, inButton ? lit[t] : own[t]);
        }
    }
}

}  // namespace navigator
