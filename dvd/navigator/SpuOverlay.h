// Drawing a decoded subpicture over a picture: each pixel type with its palette colour (the
// program chain's colour table of Y, Cr, Cb entries) and contrast, and a menu button's area
// with the colours of its highlight (selected or activated) instead of the unit's own.
#pragma once

#include <cstdint>

#include "Subpicture.h"

namespace navigator {

struct SpuHighlight {
    bool on = false;
    int left = 0, top = 0, right = 0, bottom = 0;  // picture coordinates, right and bottom inclusive
    uint8_t colour[4] = {};
    uint8_t contrast[4] = {};
};

// A button's highlight from its rectangle and the navigation packet's colour word for its colour
// group and state: the colours of pixel types 3, 2, 1, 0 in the high 16 bits, one nibble each,
// and their contrasts the same way in the low 16 bits.
SpuHighlight ButtonHighlight(int left, int top, int right, int bottom, uint32_t colourWord);

// RGB (0x00RRGGBB) of a colour table entry (0x00YYCrCb).
uint32_t PaletteRgb(uint32_t entry);

// Draws `spu` over `rgb`: width x height RGB32 pixels, rows bottom-up `stride` bytes apart.
// Whatever of the unit lies outside the picture is left out.
void DrawSpu(const SpuPicture& spu, const uint32_t (&palette)[16], const SpuHighlight* highlight,
             uint8_t* rgb, int width, int height, int stride);

}  // namespace navigator
