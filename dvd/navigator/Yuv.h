// Colour conversion of decoded pictures: planar YUV 4:2:0 (as MPEG-2 decodes) to the bottom-up
// RGB32 rows the Video Renderer takes, with ITU-R BT.601 studio-range coefficients. A picture of
// another size than the output is stretched to it (nearest sample), as DVD menus and half-size
// titles need.
#pragma once

#include <cstdint>

namespace navigator {

struct YuvPicture {
    const uint8_t* y = nullptr;
    const uint8_t* u = nullptr;
    const uint8_t* v = nullptr;
    int width = 0, height = 0;  // of the luma plane; chroma is half in both directions
    int yStride = 0, cStride = 0;
};

// Writes outWidth x outHeight pixels (0x00RRGGBB) to `out`, rows bottom-up, outStride bytes
// apart.
void YuvToRgb32(const YuvPicture& picture, uint8_t* out, int outWidth, int outHeight, int outStride);

// One pixel, for tests and single colours.
uint32_t YuvToRgb(int y, int u, int v);

}  // namespace navigator
