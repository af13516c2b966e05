#include "MaskRegion.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace skin {

namespace {

// Key range of one colour component.
struct Range {
    BYTE low;
    BYTE high;
    bool Holds(BYTE v) const { return v >= low && v <= high; }
};

Range MakeRange(BYTE key, BYTE tolerance) {
    return Range{key, static_cast<BYTE>(std::min(255, key + tolerance))};
}

// Collects runs into region data and unites them batch by batch. United regions are kept as a
// stack of partial results whose sizes halve from bottom to top (like the digits of a binary
// counter), so each rectangle takes part in a logarithmic number of unions instead of one per
// later batch; the region that comes out is the same.
class RunCollector {
public:
    RunCollector() : mBuffer(sizeof(RGNDATAHEADER) + kRunsPerBatch * sizeof(RECT)) { StartBatch(); }

    bool Add(int left, int top, int right) {
        RECT& r = Rects()[mCount++];
        r = RECT{left, top, right, top + 1};
        mBounds.left = std::min(mBounds.left, r.left);
        mBounds.top = std::min(mBounds.top, r.top);
        mBounds.right = std::max(mBounds.right, r.right);
        mBounds.bottom = std::max(mBounds.bottom, r.bottom);
        ++mStats.runs;
        return mCount < kRunsPerBatch || Flush();
    }

    // Makes a region of the current batch, even an empty one, and unites it into the result.
    bool Flush() {
        auto* header = reinterpret_cast<RGNDATAHEADER*>(mBuffer.data());
        header->dwSize = sizeof(RGNDATAHEADER);
        header->iType = RDH_RECTANGLES;
        header->nCount = static_cast<DWORD>(mCount);
        header->nRgnSize = 0;
        header->rcBound = mCount ? mBounds : RECT{0, 0, 0, 0};
        fw::Region batch(::ExtCreateRegion(nullptr, static_cast<DWORD>(mBuffer.size()),
                                           reinterpret_cast<const RGNDATA*>(mBuffer.data())));
        if (!batch) return false;
        ++mStats.batches;
        mStats.lastBatch = mCount;
        Push(std::move(batch), 1);
        StartBatch();
        return true;
    }

    fw::Region Result() {
        while (mStack.size() > 1) {
            Part top = std::move(mStack.back());
            mStack.pop_back();
            if (!Unite(mStack.back().region, top.region)) return {};
        }
        return mStack.empty() ? fw::Region() : std::move(mStack.back().region);
    }

    const MaskRegionStats& Stats() const { return mStats; }

private:
    struct Part {
        fw::Region region;
        long batches;
    };

    RECT* Rects() { return reinterpret_cast<RECT*>(mBuffer.data() + sizeof(RGNDATAHEADER)); }

    void StartBatch() {
        mCount = 0;
        mBounds = RECT{INT_MAX, INT_MAX, 0, 0};
    }

    static bool Unite(fw::Region& into, const fw::Region& other) {
        return ::CombineRgn(into.Get(), into.Get(), other.Get(), RGN_OR) != ERROR;
    }

    void Push(fw::Region region, long batches) {
        while (!mStack.empty() && mStack.back().batches <= batches) {
            if (!Unite(mStack.back().region, region)) return;
            region = std::move(mStack.back().region);
            batches += mStack.back().batches;
            mStack.pop_back();
        }
        mStack.push_back(Part{std::move(region), batches});
    }

    std::vector<BYTE> mBuffer;
    int mCount = 0;
    RECT mBounds{};
    std::vector<Part> mStack;
    MaskRegionStats mStats;
};

}  // namespace

fw::Region MaskToRegion(HBITMAP picture, COLORREF key, COLORREF tolerance, MaskRegionStats* stats) {
    if (!picture) return {};
    fw::MemoryDc memory(::CreateCompatibleDC(nullptr));
    if (!memory) return {};
    BITMAP info{};
    if (!::GetObjectA(picture, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
    const int width = info.bmWidth;
    const int height = info.bmHeight;

    // 32 bits per pixel, rows top-down, so that row y of the picture is row y of the buffer.
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels;
    pixels.resize(static_cast<size_t>(width) * height);
    if (::GetDIBits(memory.Get(), picture, 0, height, pixels.data(), &request, DIB_RGB_COLORS) != height)
        return {};

    // In memory a pixel is blue, green, red; the key's red range tests the first byte and its blue
    // range the third. For the grey keys that masks use (white) the order makes no difference.
    const Range first = MakeRange(GetRValue(key), GetRValue(tolerance));
    const Range second = MakeRange(GetGValue(key), GetGValue(tolerance));
    const Range third = MakeRange(GetBValue(key), GetBValue(tolerance));
    auto transparent = [&](DWORD pixel) {
        return first.Holds(static_cast<BYTE>(pixel)) && second.Holds(static_cast<BYTE>(pixel >> 8)) &&
               third.Holds(static_cast<BYTE>(pixel >> 16));
    };

    RunCollector runs;
    for (int y = 0; y < height; ++y) {
        const DWORD* row = pixels.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width;) {
            if (transparent(row[x])) {
                ++x;
                continue;
            }
            int start = x;
            while (x < width && !transparent(row[x]))
                ++x;
            if (!runs.Add(start, y, x)) return {};
        }
    }
    if (!runs.Flush()) return {};
    if (stats) *stats = runs.Stats();
    return runs.Result();
}

}  // namespace skin
