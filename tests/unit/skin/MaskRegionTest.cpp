// The window shape made from a mask picture.
#include <gtest/gtest.h>

#include <vector>

#include "MaskRegion.h"
#include "SkinTestPictures.h"

using namespace skin;
using skintest::MakeBitmap;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kTolerance = RGB(16, 16, 16);

std::vector<RECT> RectsOf(HRGN region) {
    DWORD bytes = ::GetRegionData(region, 0, nullptr);
    std::vector<BYTE> data(bytes);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    ::GetRegionData(region, bytes, rgn);
    const RECT* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
    return std::vector<RECT>(rects, rects + rgn->rdh.nCount);
}

// Every pixel of the picture is inside the region exactly when it is not pure white.
void ExpectRegionMatches(HRGN region, int width, int height, const skintest::PixelFunction& pixel) {
    int mismatches = 0;
    for (int y = -1; y <= height; ++y) {
        for (int x = -1; x <= width; ++x) {
            bool opaque = x >= 0 && y >= 0 && x < width && y < height && pixel(x, y) != kWhite;
            if ((::PtInRegion(region, x, y) != FALSE) != opaque && ++mismatches < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << " opaque " << opaque;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace

TEST(MaskRegions, NoPictureGivesNoRegion) {
    EXPECT_FALSE(MaskToRegion(nullptr, kWhite, kTolerance));
}

TEST(MaskRegions, AnAllWhiteMaskGivesAnEmptyRegion) {
    fw::Bitmap mask = MakeBitmap(50, 20, [](int, int) { return kWhite; });
    MaskRegionStats stats;
    fw::Region region = MaskToRegion(mask.Get(), kWhite, kTolerance, &stats);
    ASSERT_TRUE(region);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region.Get(), &box), NULLREGION);
    EXPECT_EQ(stats.runs, 0);
    EXPECT_EQ(stats.batches, 1);
}

TEST(MaskRegions, ARunCanEndAtTheRowsEnd) {
    auto pixel = [](int x, int y) { return x == 9 && y == 1 ? RGB(0, 0, 0) : kWhite; };
    fw::Bitmap mask = MakeBitmap(10, 3, pixel);
    fw::Region region = MaskToRegion(mask.Get(), kWhite, kTolerance);
    ASSERT_TRUE(region);
    std::vector<RECT> rects = RectsOf(region.Get());
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].left, 9);
    EXPECT_EQ(rects[0].top, 1);
    EXPECT_EQ(rects[0].right, 10);
    EXPECT_EQ(rects[0].bottom, 2);
}

TEST(MaskRegions, FourThousandFiveHundredRunsComeFromThreeBatches) {
    // 45 single-pixel runs in each of 100 rows.
    auto pixel = [](int x, int) { return x % 2 == 0 ? RGB(0, 0, 0) : kWhite; };
    fw::Bitmap mask = MakeBitmap(90, 100, pixel);
    MaskRegionStats stats;
    fw::Region region = MaskToRegion(mask.Get(), kWhite, kTolerance, &stats);
    ASSERT_TRUE(region);
    EXPECT_EQ(stats.runs, 4500);
    EXPECT_EQ(stats.batches, 3);
    EXPECT_EQ(stats.lastBatch, 500);
    ExpectRegionMatches(region.Get(), 90, 100, pixel);
}

TEST(MaskRegions, TheRegionIsExactlyTheNonWhitePixels) {
    // A rounded shape with holes, near-white pixels (inside) and scattered white ones (outside).
    auto pixel = [](int x, int y) -> COLORREF {
        int dx = x - 200, dy = y - 120;
        if (dx * dx / 4 + dy * dy > 115 * 115) return kWhite;
        if ((x * 7 + y * 13) % 23 == 0) return kWhite;
        if ((x + y) % 11 == 0) return RGB(254, 255, 255);
        if ((x * y) % 17 == 0) return RGB(255, 255, 240);
        return RGB(x, y, (x ^ y) & 0xFF);
    };
    fw::Bitmap mask = MakeBitmap(400, 240, pixel);
    MaskRegionStats stats;
    fw::Region region = MaskToRegion(mask.Get(), kWhite, kTolerance, &stats);
    ASSERT_TRUE(region);
    EXPECT_GT(stats.batches, 1);
    ExpectRegionMatches(region.Get(), 400, 240, pixel);
}

TEST(MaskRegions, KeyComponentsAreComparedWithThePixelBytesInMemoryOrder) {
    // Key red 200 tests the first byte in memory, which is the pixel's blue.
    auto pixel = [](int x, int) { return x == 0 ? RGB(0, 0, 200) : RGB(200, 0, 0); };
    fw::Bitmap mask = MakeBitmap(2, 1, pixel);
    fw::Region region = MaskToRegion(mask.Get(), RGB(200, 0, 0), RGB(0, 0, 0));
    ASSERT_TRUE(region);
    EXPECT_FALSE(::PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(::PtInRegion(region.Get(), 1, 0));
}

TEST(MaskRegions, ToleranceWidensTheKeyRange) {
    auto pixel = [](int x, int) { return x == 0 ? RGB(10, 16, 0) : RGB(0, 17, 0); };
    fw::Bitmap mask = MakeBitmap(2, 1, pixel);
    fw::Region region = MaskToRegion(mask.Get(), RGB(0, 0, 0), RGB(16, 16, 16));
    ASSERT_TRUE(region);
    EXPECT_FALSE(::PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(::PtInRegion(region.Get(), 1, 0));
}
