// The layout of a Windows bitmap file held in memory, checked before any of it is used: a file
// that declares more pixels than it holds must never be read past its end.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skin {

struct BitmapLayout {
    size_t infoOffset = 0;    // the BITMAPINFO: header, then masks and colours
    size_t pixelOffset = 0;   // the first row of pixels
    size_t pixelBytes = 0;    // every row, each padded to four bytes
    int width = 0;
    int height = 0;           // negative for a picture stored top row first
};

// Whether `bytes` hold a whole uncompressed bitmap (1, 4, 8, 16, 24 or 32 bits a pixel, with
// colour masks for 16 and 32) with every byte its header promises; true fills `layout`.
// Compressed bitmaps, other headers and anything cut short give false.
bool ReadBitmapLayout(const unsigned char* bytes, size_t size, BitmapLayout& layout);

}  // namespace skin
