// The window shape from a mask picture: every pixel that is not within the key colour's range
// belongs to the region.
#pragma once

#include <windows.h>

#include "Handles.h"

namespace skin {

// Runs are handed to the platform in batches of this many rectangles and the batches united.
inline constexpr int kRunsPerBatch = 2000;

struct MaskRegionStats {
    long runs = 0;      // horizontal runs of opaque pixels
    int batches = 0;    // regions made from batches (the last, possibly empty, one included)
    int lastBatch = 0;  // runs in the last batch
};

// The region of the opaque pixels of `picture`: a pixel is transparent when its red, green and
// blue each lie within key .. key + tolerance (capped at 255). No picture, or a drawing resource
// that cannot be made, gives no region; a wholly transparent picture gives an empty region.
fw::Region MaskToRegion(HBITMAP picture, COLORREF key, COLORREF tolerance, MaskRegionStats* stats = nullptr);

}  // namespace skin
