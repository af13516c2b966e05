// DVD-Video subpicture units: the packets of one stream gathered into whole units, and a unit
// decoded into its picture (two bits a pixel, run-length coded in two interlaced fields) with
// its colours, contrasts, area and display times. Works on untrusted bytes: a damaged unit is
// refused, never read outside its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace navigator {

// Pixel types as a unit names them: 0 background, 1 pattern, 2 and 3 the two emphasis colours.
struct SpuPicture {
    // When the unit starts and stops showing, in 90 kHz ticks after its time stamp; a unit
    // without a start command never shows, one without a stop shows until the next unit.
    bool hasStart = false;
    int64_t startDelay = 0;
    int64_t stopDelay = -1;
    bool forced = false;  // started by the forced command: shown even with subpictures off
    int left = 0, top = 0, width = 0, height = 0;  // the display area in picture coordinates
    uint8_t colour[4] = {};                        // the palette entry (0-15) of each pixel type
    uint8_t contrast[4] = {};                      // 0 transparent to 15 opaque
    std::vector<uint8_t> pixels;                   // width x height pixel types, rows top down
};

// Decodes one whole unit (as SpuAssembler gives it). False for a damaged or empty unit.
bool DecodeSpu(const uint8_t* unit, size_t size, SpuPicture& picture);

// Gathers the packets of one subpicture stream: a unit starts with its size and may span many
// packets; its first packet carries the unit's time stamp.
class SpuAssembler {
public:
    // One packet's payload. True when it completed a unit, which Unit() then holds.
    bool Add(const uint8_t* data, size_t size, bool hasPts, int64_t pts);
    void Reset();

    const std::vector<uint8_t>& Unit() const { return mUnit; }
    int64_t UnitPts() const { return mUnitPts; }

private:
    std::vector<uint8_t> mBuffer;
    size_t mExpected = 0;  // the unit's size once its first two bytes are in
    int64_t mPts = 0;
    std::vector<uint8_t> mUnit;
    int64_t mUnitPts = 0;
};

}  // namespace navigator
