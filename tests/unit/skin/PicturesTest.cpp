// Skin pictures: the skin directory, decoding files, cutting and drawing bitmaps.
#include <gtest/gtest.h>

#include <fstream>

#include "Driver.h"
#include "Pictures.h"
#include "SkinTestPictures.h"

using namespace skin;
using skintest::MakeBitmap;
using skintest::PixelOf;

namespace {

const COLORREF kPictureColour = RGB(0x24, 0x6C, 0xAA);

std::string CurrentDirectory() {
    char dir[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, dir);
    std::string d = dir;
    if (d.back() != '\\') d += '\\';
    return d;
}

}  // namespace

TEST(SkinDirectory, ARelativePathLiesUnderTheCurrentDirectory) {
    EXPECT_EQ(SkinDirectoryOf("skin\\skin1.ini"), CurrentDirectory() + "skin\\");
    EXPECT_EQ(SkinDirectoryOf("skin1.ini"), CurrentDirectory());
}

TEST(SkinDirectory, OnlyTheFinalComponentGoes) {
    EXPECT_EQ(SkinDirectoryOf("C:\\skin1.ini\\skin1.ini\\skin1.ini"), "C:\\skin1.ini\\skin1.ini\\");
    EXPECT_EQ(SkinDirectoryOf("C:\\skins\\blue\\"), "C:\\skins\\blue\\");
    EXPECT_EQ(SkinDirectoryOf("C:\\skin1.ini"), "C:\\");
}

TEST(PictureFiles, BitmapJpegAndGifDecodeToTheirSizeAndColour) {
    for (const char* ext : {"bmp", "jpg", "gif"}) {
        fw::Bitmap picture;
        SIZE size{};
        ASSERT_TRUE(LoadPictureFile(e2e::MediaDirectory() + "skin_picture." + ext, picture, size)) << ext;
        ASSERT_TRUE(picture) << ext;
        EXPECT_EQ(size.cx, 64) << ext;
        EXPECT_EQ(size.cy, 48) << ext;
        SIZE real = BitmapSize(picture.Get());
        EXPECT_EQ(real.cx, 64);
        EXPECT_EQ(real.cy, 48);
        // The bitmap is ours: it outlives the decoder's picture object.
        COLORREF c = PixelOf(picture.Get(), 32, 24);
        EXPECT_TRUE(skintest::Near(c, kPictureColour, 10))
            << ext << " " << int(GetRValue(c)) << "," << int(GetGValue(c)) << "," << int(GetBValue(c));
    }
}

TEST(PictureFiles, WhatCannotBeDecodedLeavesTheTargetEmptyAndTheSizeAlone) {
    std::string dir = e2e::MakeTempDirectory("pictures");
    std::ofstream(dir + "text.bmp") << "this is not a picture at all";
    std::ofstream(dir + "empty.bmp");
    for (std::string name : {"missing.bmp", "text.bmp", "empty.bmp", ""}) {
        fw::Bitmap picture = MakeBitmap(4, 4, [](int, int) { return RGB(1, 2, 3); });
        SIZE size{7, 9};
        EXPECT_FALSE(LoadPictureFile(dir + name, picture, size)) << name;
        EXPECT_FALSE(picture) << name;
        EXPECT_EQ(size.cx, 7) << name;
        EXPECT_EQ(size.cy, 9) << name;
    }
}

TEST(PictureFiles, ATruncatedFileEitherDecodesOrLeavesNothing) {
    std::string dir = e2e::MakeTempDirectory("truncated");
    std::ifstream whole(e2e::MediaDirectory() + "skin_picture.bmp", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    for (size_t length : {20u, 60u, 3000u}) {
        std::ofstream(dir + "cut.bmp", std::ios::binary | std::ios::trunc) << bytes.substr(0, length);
        fw::Bitmap picture;
        SIZE size{7, 9};
        bool loaded = LoadPictureFile(dir + "cut.bmp", picture, size);
        EXPECT_EQ(loaded, static_cast<bool>(picture)) << length;
        SIZE real = BitmapSize(picture.Get());
        EXPECT_EQ(size.cx, loaded ? real.cx : 7) << length;
    }
}

namespace {
// A Windows bitmap file that declares a picture far larger than the bytes it holds.
std::string BitmapDeclaringMoreThanItHolds(int width, int height, WORD bits, DWORD compression) {
    DWORD colours = bits <= 8 ? 2 : 0;
    std::string pixels = compression == BI_RLE8 ? std::string("\x02\x01\x00\x01", 4) : std::string(16, '\x7f');
    return skintest::BitmapFileBytes(width, height, bits, compression, colours, colours * 4, pixels);
}
}  // namespace

TEST(PictureFiles, ABitmapDeclaringMoreThanItsFileHoldsGivesNothingOrItsDeclaredSize) {
    std::string dir = e2e::MakeTempDirectory("overdeclared");
    struct Case {
        const char* name;
        WORD bits;
        DWORD compression;
    } cases[] = {{"rle.bmp", 8, BI_RLE8}, {"plain24.bmp", 24, BI_RGB}, {"plain8.bmp", 8, BI_RGB}};
    for (const Case& c : cases) {
        std::ofstream(dir + c.name, std::ios::binary) << BitmapDeclaringMoreThanItHolds(8000, 8000, c.bits, c.compression);
        fw::Bitmap picture;
        SIZE size{7, 9};
        if (LoadPictureFile(dir + c.name, picture, size)) {
            EXPECT_EQ(size.cx, 8000) << c.name;  // the skin then refuses a window of that size
            EXPECT_EQ(size.cy, 8000) << c.name;
        } else {
            EXPECT_FALSE(picture) << c.name;
            EXPECT_EQ(size.cx, 7) << c.name;
        }
    }
}

TEST(PictureFiles, APictureNamedAsABitmapThatIsNotOneStillDecodes) {
    std::string dir = e2e::MakeTempDirectory("misnamed");
    ASSERT_TRUE(::CopyFileA((e2e::MediaDirectory() + "skin_picture.jpg").c_str(), (dir + "photo.bmp").c_str(), FALSE));
    fw::Bitmap picture;
    SIZE size{};
    ASSERT_TRUE(LoadPictureFile(dir + "photo.bmp", picture, size));
    EXPECT_EQ(size.cx, 64);
    EXPECT_EQ(size.cy, 48);
    EXPECT_TRUE(skintest::Near(PixelOf(picture.Get(), 32, 24), kPictureColour, 10));
}

TEST(CuttingPictures, TheCutStartsAtTheRectanglesCorner) {
    fw::Bitmap source = MakeBitmap(64, 48, [](int x, int y) { return RGB(x * 4, y * 4, 7); });
    fw::WindowDc screen(nullptr);
    fw::Bitmap cut;
    CutPicture(screen.Get(), cut, source.Get(), 10, 20, 40, 30);
    ASSERT_TRUE(cut);
    SIZE size = BitmapSize(cut.Get());
    EXPECT_EQ(size.cx, 30);
    EXPECT_EQ(size.cy, 10);
    EXPECT_EQ(PixelOf(cut.Get(), 0, 0), PixelOf(source.Get(), 10, 20));
    EXPECT_EQ(PixelOf(cut.Get(), 0, 0), RGB(40, 80, 7));
    EXPECT_EQ(PixelOf(cut.Get(), 29, 9), RGB(39 * 4, 29 * 4, 7));
}

// Loaded pictures are DIB sections, and their pieces stay DIB sections of the same format: the
// controls' pictures are then copied in memory instead of through the display driver.
TEST(CuttingPictures, APieceOfALoadedPictureIsADibSectionWithTheSamePixels) {
    fw::Bitmap picture;
    SIZE size{};
    ASSERT_TRUE(LoadPictureFile(e2e::MediaDirectory() + "skin_picture.bmp", picture, size));
    DIBSECTION section{};
    ASSERT_EQ(::GetObjectA(picture.Get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    ASSERT_GE(size.cx, 4);
    ASSERT_GE(size.cy, 4);
    fw::WindowDc screen(nullptr);
    fw::Bitmap cut;
    CutPicture(screen.Get(), cut, picture.Get(), 1, 2, size.cx, size.cy);
    ASSERT_TRUE(cut);
    DIBSECTION piece{};
    ASSERT_EQ(::GetObjectA(cut.Get(), sizeof(piece), &piece), static_cast<int>(sizeof(piece)));
    EXPECT_EQ(piece.dsBm.bmBitsPixel, section.dsBm.bmBitsPixel);
    EXPECT_EQ(BitmapSize(cut.Get()).cx, size.cx - 1);
    EXPECT_EQ(PixelOf(cut.Get(), 0, 0), PixelOf(picture.Get(), 1, 2));
    EXPECT_EQ(PixelOf(cut.Get(), size.cx - 2, size.cy - 3), PixelOf(picture.Get(), size.cx - 1, size.cy - 1));
}

TEST(CuttingPictures, NoSourceDoesNothingAndUnusableRectanglesGiveNothing) {
    fw::WindowDc screen(nullptr);
    fw::Bitmap kept = MakeBitmap(2, 2, [](int, int) { return RGB(9, 9, 9); });
    HBITMAP before = kept.Get();
    CutPicture(screen.Get(), kept, nullptr, 0, 0, 2, 2);
    EXPECT_EQ(kept.Get(), before);

    fw::Bitmap source = MakeBitmap(8, 8, [](int, int) { return RGB(1, 1, 1); });
    for (RECT r :
         {RECT{5, 5, 5, 9}, RECT{5, 5, 2, 9}, RECT{0, 0, kMaxCutSide + 1, 4}, RECT{0, 0, 4, 40000}}) {
        fw::Bitmap cut = MakeBitmap(2, 2, [](int, int) { return RGB(9, 9, 9); });
        CutPicture(screen.Get(), cut, source.Get(), r.left, r.top, r.right, r.bottom);
        EXPECT_FALSE(cut);
    }
}

TEST(DrawingPictures, TheBitmapsCornerLandsAtTheRectangle) {
    fw::WindowDc screen(nullptr);
    fw::Bitmap target = MakeBitmap(20, 20, [](int, int) { return RGB(0, 0, 0); });
    fw::Bitmap picture = MakeBitmap(10, 10, [](int x, int y) { return RGB(100 + x, 50 + y, 9); });
    fw::MemoryDc dc(::CreateCompatibleDC(screen.Get()));
    {
        fw::SelectedObject keep(dc.Get(), target.Get());
        DrawPicture(dc.Get(), picture.Get(), 5, 6, 9, 8);
        DrawPicture(dc.Get(), picture.Get(), 12, 12, 14, 14, true);
        DrawPicture(dc.Get(), nullptr, 0, 0, 20, 20);
    }
    EXPECT_EQ(PixelOf(target.Get(), 5, 6), RGB(100, 50, 9));
    EXPECT_EQ(PixelOf(target.Get(), 8, 7), RGB(103, 51, 9));
    EXPECT_EQ(PixelOf(target.Get(), 9, 7), RGB(0, 0, 0));  // only width x height pixels
    EXPECT_EQ(PixelOf(target.Get(), 8, 8), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(target.Get(), 13, 13), RGB(101, 51, 9));
    EXPECT_EQ(PixelOf(target.Get(), 0, 0), RGB(0, 0, 0));
}
