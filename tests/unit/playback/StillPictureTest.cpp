// Still pictures as plain values: which files are pictures, the size a picture declares, the
// window layout and scrolling of a picture, and the header of a captured frame.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "Driver.h"
#include "StillPicture.h"

namespace {

std::vector<unsigned char> ReadMedia(const char* name) {
    std::ifstream in(e2e::MediaDirectory() + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<PictureSize> SizeOfMedia(const char* name) {
    std::vector<unsigned char> bytes = ReadMedia(name);
    EXPECT_FALSE(bytes.empty()) << name;
    return DeclaredPictureSize(name, bytes.data(), bytes.size());
}

void Put16(std::vector<unsigned char>& b, size_t at, unsigned value) {
    b[at] = static_cast<unsigned char>(value);
    b[at + 1] = static_cast<unsigned char>(value >> 8);
}

void Put32(std::vector<unsigned char>& b, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A packed bitmap as a renderer returns it: information header, colour table, pixels.
std::vector<unsigned char> PackedBitmap(int32_t width, int32_t height, unsigned bitCount,
                                        uint32_t compression = 0, uint32_t coloursUsed = 0,
                                        size_t extra = 0) {
    size_t table = coloursUsed ? coloursUsed * 4 : (bitCount <= 8 ? (4u << bitCount) : 0);
    if (compression == 3) table += 12;
    size_t stride = (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
    size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    std::vector<unsigned char> dib(40 + table + stride * rows + extra);
    Put32(dib, 0, 40);
    Put32(dib, 4, static_cast<uint32_t>(width));
    Put32(dib, 8, static_cast<uint32_t>(height));
    Put16(dib, 12, 1);
    Put16(dib, 14, bitCount);
    Put32(dib, 16, compression);
    Put32(dib, 20, static_cast<uint32_t>(stride * rows));
    Put32(dib, 32, coloursUsed);
    return dib;
}

}  // namespace

TEST(StillImageFiles, TheFiveExtensionsInAnyCaseAndNothingElse) {
    for (const char* path :
         {"c:\\p\\Photo.JPG", "c:\\p\\photo.jpeg", "c:\\p\\a.bmp", "c:\\p\\a.GIF", "c:\\p\\a.tga",
          "d:/pictures/holiday.Jpeg", "photo.jpg", "http://host/dir/picture.gif"})
        EXPECT_TRUE(IsStillImagePath(path)) << path;
    // Only the extension of the last component counts.
    for (const char* path :
         {"c:\\p\\photo.jpg.avi", "C:\\pics.bmp\\clip.mpg", "c:\\p\\photo", "c:\\p.jpg\\photo",
          "c:\\p\\photo.png", "c:\\p\\photo.jpgx", "c:\\p\\photo.", ""})
        EXPECT_FALSE(IsStillImagePath(path)) << path;
}

TEST(DeclaredPictureSize, TheGeneratedPicturesTellTheirSizeInEachFormat) {
    struct Case {
        const char* name;
        long width, height;
    };
    for (Case c : {Case{"photo.jpg", 400, 300}, Case{"photo.gif", 400, 300}, Case{"photo.bmp", 400, 300},
                   Case{"photo.tga", 64, 48}, Case{"large.jpg", 2000, 1500}, Case{"tall.gif", 300, 1000},
                   Case{"dot.bmp", 1, 1}, Case{"dot.jpg", 1, 1}, Case{"huge.jpg", 8000, 8000},
                   Case{"huge.gif", 8000, 8000}}) {
        std::optional<PictureSize> size = SizeOfMedia(c.name);
        ASSERT_TRUE(size) << c.name;
        EXPECT_EQ(size->width, c.width) << c.name;
        EXPECT_EQ(size->height, c.height) << c.name;
    }
}

TEST(DeclaredPictureSize, DamagedOrForeignBytesTellNothing) {
    EXPECT_FALSE(SizeOfMedia("corrupt.jpg"));  // random bytes
    std::vector<unsigned char> cut = ReadMedia("photo.jpg");
    cut.resize(100);  // ends before the frame header
    EXPECT_FALSE(DeclaredPictureSize("a.jpg", cut.data(), cut.size()));
    std::vector<unsigned char> gif = ReadMedia("photo.gif");
    EXPECT_FALSE(DeclaredPictureSize("a.gif", gif.data(), 8));
    EXPECT_FALSE(DeclaredPictureSize("a.bmp", gif.data(), gif.size()));  // a GIF named like a bitmap
    EXPECT_FALSE(DeclaredPictureSize("a.avi", gif.data(), gif.size()));
    EXPECT_FALSE(DeclaredPictureSize("a.gif", nullptr, 100));
    const unsigned char tiny[] = {0xFF, 0xD8, 0xFF};
    EXPECT_FALSE(DeclaredPictureSize("a.jpg", tiny, sizeof(tiny)));
}

TEST(DeclaredPictureSize, TopDownBitmapsAndGifFramesBeyondTheScreen) {
    std::vector<unsigned char> bmp(54);
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32(bmp, 14, 40);
    Put32(bmp, 18, 640);
    Put32(bmp, 22, static_cast<uint32_t>(-480));
    std::optional<PictureSize> size = DeclaredPictureSize("x.bmp", bmp.data(), bmp.size());
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 640);
    EXPECT_EQ(size->height, 480);

    // A 10 x 10 screen whose first image, after an extension, reaches to 9000 x 20.
    std::vector<unsigned char> gif = {
        'G',  'I',  'F', '8', '9', 'a',  10,   0,  10, 0, 0, 0, 0,  // no colour table
        0x21, 0xF9, 4,   0,   0,   0,    0,    0,                   // control extension
        0x2C, 0,    0,   10,  0,   0x28, 0x23, 10, 0,  0};          // at (0, 10), 9000 x 10
    size = DeclaredPictureSize("x.gif", gif.data(), gif.size());
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 9000);
    EXPECT_EQ(size->height, 20);
}

TEST(PictureLimit, SixtyFourMegapixelsAreRefusedTwentyFourAreShown) {
    EXPECT_TRUE(IsPictureTooLarge({8000, 8000}));
    EXPECT_TRUE(IsPictureTooLarge({65535, 65535}));
    EXPECT_FALSE(IsPictureTooLarge({6000, 4000}));
    EXPECT_FALSE(IsPictureTooLarge({1, 1}));
    EXPECT_FALSE(IsPictureTooLarge({0, 0}));
    EXPECT_FALSE(IsPictureTooLarge({-8000, 8000}));
}

TEST(StillLayout, APictureThatFitsGetsAWindowJustAroundIt) {
    // Frame 4, caption 19, on 1024 x 768: 400 x 300 needs 408 x 327.
    StillLayout l = LayoutStill(400, 300, 1024, 768, 4, 4, 19);
    EXPECT_FALSE(l.horizontalBar);
    EXPECT_FALSE(l.verticalBar);
    EXPECT_EQ(l.windowWidth, 408);
    EXPECT_EQ(l.windowHeight, 327);
    // Exactly the work area still fits.
    l = LayoutStill(1016, 741, 1024, 768, 4, 4, 19);
    EXPECT_FALSE(l.horizontalBar || l.verticalBar);
}

TEST(StillLayout, EachSideLargerThanTheWorkAreaGetsItsScrollBar) {
    StillLayout wide = LayoutStill(1600, 300, 1024, 740, 4, 4, 19);
    EXPECT_TRUE(wide.horizontalBar);
    EXPECT_FALSE(wide.verticalBar);
    EXPECT_EQ(wide.windowWidth, 1024);
    EXPECT_EQ(wide.windowHeight, 327);

    StillLayout tall = LayoutStill(300, 1000, 1024, 740, 4, 4, 19);
    EXPECT_FALSE(tall.horizontalBar);
    EXPECT_TRUE(tall.verticalBar);
    EXPECT_EQ(tall.windowWidth, 308);
    EXPECT_EQ(tall.windowHeight, 740);

    StillLayout both = LayoutStill(2000, 1500, 1024, 740, 4, 4, 19);
    EXPECT_TRUE(both.horizontalBar && both.verticalBar);
    EXPECT_EQ(both.windowWidth, 1024);
    EXPECT_EQ(both.windowHeight, 740);

    // 640 x 480 at twice its size.
    StillLayout doubled = LayoutStill(1280, 960, 1024, 740, 4, 4, 19);
    EXPECT_TRUE(doubled.horizontalBar && doubled.verticalBar);
    // One pixel too wide for the frame around it.
    EXPECT_TRUE(LayoutStill(1017, 300, 1024, 768, 4, 4, 19).horizontalBar);
}

TEST(ScrollRequests, LinesStepPagesJumpToTheEndsThumbsGoWhereTheyAreDropped) {
    EXPECT_EQ(ScrollTarget(kScrollLineOn, 0, 10, 0, 976), 11);
    EXPECT_EQ(ScrollTarget(kScrollLineBack, 0, 10, 0, 976), 9);
    EXPECT_EQ(ScrollTarget(kScrollLineBack, 0, 0, 0, 976), 0);
    EXPECT_EQ(ScrollTarget(kScrollLineOn, 0, 976, 0, 976), 976);
    EXPECT_EQ(ScrollTarget(kScrollPageOn, 0, 10, 0, 976), 976);
    EXPECT_EQ(ScrollTarget(kScrollPageBack, 0, 500, 0, 976), 0);
    EXPECT_EQ(ScrollTarget(kScrollThumbPosition, 300, 10, 0, 976), 300);
    EXPECT_EQ(ScrollTarget(kScrollThumbTrack, 299, 10, 0, 976), 299);
    EXPECT_EQ(ScrollTarget(kScrollThumbTrack, 5000, 10, 0, 976), 976);
    EXPECT_EQ(ScrollTarget(kScrollThumbTrack, 0x10000 + 7, 10, 0, 976), 7);  // only 16 bits count
    EXPECT_EQ(ScrollTarget(8, 300, 10, 0, 976), 10);  // the end of a scroll changes nothing
    EXPECT_EQ(ScrollTarget(kScrollLineOn, 0, 0, 0, 0), 0);
}

TEST(CapturedBitmapHeader, ThirtyTwoBitFramesHaveTheirPixelsRightAfterTheHeader) {
    std::vector<unsigned char> dib = PackedBitmap(320, 240, 32, 0, 0, 2000);  // in a larger buffer
    std::optional<BitmapFileFields> f = BitmapFileFieldsFor(dib.data(), dib.size());
    ASSERT_TRUE(f);
    EXPECT_EQ(f->dibSize, 40u + 320 * 240 * 4);
    EXPECT_EQ(f->fileSize, 14u + 40 + 320 * 240 * 4);
    EXPECT_EQ(f->bitsOffset, 54u);
}

TEST(CapturedBitmapHeader, ColourTablesAndMasksComeBeforeThePixels) {
    std::vector<unsigned char> eight = PackedBitmap(33, -3, 8);  // rows padded to 36 bytes
    std::optional<BitmapFileFields> f = BitmapFileFieldsFor(eight.data(), eight.size());
    ASSERT_TRUE(f);
    EXPECT_EQ(f->bitsOffset, 14u + 40 + 1024);
    EXPECT_EQ(f->dibSize, 40u + 1024 + 36 * 3);

    std::vector<unsigned char> fewColours = PackedBitmap(8, 8, 8, 0, 16);
    f = BitmapFileFieldsFor(fewColours.data(), fewColours.size());
    ASSERT_TRUE(f);
    EXPECT_EQ(f->bitsOffset, 14u + 40 + 64);

    std::vector<unsigned char> masks = PackedBitmap(10, 10, 16, 3);
    f = BitmapFileFieldsFor(masks.data(), masks.size());
    ASSERT_TRUE(f);
    EXPECT_EQ(f->bitsOffset, 14u + 40 + 12);
    EXPECT_EQ(f->dibSize, 40u + 12 + 20 * 10);
}

TEST(CapturedBitmapHeader, DamagedOrShortBitmapsAreRefused) {
    std::vector<unsigned char> dib = PackedBitmap(320, 240, 32);
    EXPECT_FALSE(BitmapFileFieldsFor(dib.data(), dib.size() - 1));  // pixels missing
    EXPECT_FALSE(BitmapFileFieldsFor(dib.data(), 20));
    EXPECT_FALSE(BitmapFileFieldsFor(nullptr, 100));
    std::vector<unsigned char> odd = PackedBitmap(320, 240, 32);
    Put16(odd, 14, 7);  // no such depth
    EXPECT_FALSE(BitmapFileFieldsFor(odd.data(), odd.size()));
    std::vector<unsigned char> zero = PackedBitmap(320, 240, 32);
    Put32(zero, 4, 0);
    EXPECT_FALSE(BitmapFileFieldsFor(zero.data(), zero.size()));
    std::vector<unsigned char> header(40);
    Put32(header, 0, 20);  // no known header is that long
    EXPECT_FALSE(BitmapFileFieldsFor(header.data(), header.size()));
}
