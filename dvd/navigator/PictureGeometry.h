// Where a point of the video window lies on the DVD picture, and which menu button is there.
// The renderer draws the part `source` of the picture (normally all of its 720 x 576 or
// 720 x 480 pixels) into the rectangle `destination` of its window, whatever size that window
// has: stretched, zoomed or filling the screen.
#pragma once

#include <vector>

#include "DvdVm.h"

namespace navigator {

struct Box {
    long left = 0, top = 0, width = 0, height = 0;
};

// The picture point under window point (x, y); false when the point is outside the picture or
// either rectangle is empty.
bool WindowToPicture(long x, long y, const Box& destination, const Box& source, long& pictureX,
                     long& pictureY);

// The button (1-based) whose rectangle holds the picture point, the one with the nearest centre
// where rectangles overlap; 0 for none.
int ButtonAt(const std::vector<VmButton>& buttons, long x, long y);

}  // namespace navigator
