// The layout check of bitmap files read without the OLE decoder.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "BitmapFile.h"
#include "SkinTestPictures.h"

using skin::BitmapLayout;
using skin::ReadBitmapLayout;

namespace {

// A bitmap file of the given header fields whose pixel bytes (and colour table) are all there,
// unless `cutBy` bytes are taken off its end.
std::string Bitmap(int width, int height, WORD bits, DWORD compression = BI_RGB, DWORD colours = 0,
                   size_t cutBy = 0) {
    size_t table = (bits <= 8 ? (colours ? colours : 1u << bits) : colours) * 4;
    if (compression == BI_BITFIELDS) table += 12;
    size_t stride = ((size_t(width) * bits + 31) / 32) * 4;
    size_t pixels = stride * size_t(height < 0 ? -height : height);
    std::string bytes =
        skintest::BitmapFileBytes(width, height, bits, compression, colours, table, std::string(pixels, '\x11'));
    bytes.resize(bytes.size() - cutBy);
    return bytes;
}

bool Layout(const std::string& bytes, BitmapLayout& layout) {
    return ReadBitmapLayout(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), layout);
}

}  // namespace

TEST(BitmapLayouts, WholeUncompressedBitmapsOfEveryDepthAreRead) {
    struct Case {
        WORD bits;
        DWORD compression;
        DWORD colours;
    } cases[] = {{1, BI_RGB, 0},  {4, BI_RGB, 0},   {8, BI_RGB, 0},       {8, BI_RGB, 16},
                 {16, BI_RGB, 0}, {24, BI_RGB, 0},  {32, BI_RGB, 0},      {16, BI_BITFIELDS, 0},
                 {32, BI_BITFIELDS, 0}};
    for (const Case& c : cases) {
        std::string bytes = Bitmap(13, 7, c.bits, c.compression, c.colours);
        BitmapLayout layout;
        ASSERT_TRUE(Layout(bytes, layout)) << c.bits;
        EXPECT_EQ(layout.width, 13);
        EXPECT_EQ(layout.height, 7);
        EXPECT_EQ(layout.pixelOffset + layout.pixelBytes, bytes.size()) << c.bits;  // rows padded to 4 bytes
    }
    BitmapLayout topDown;
    ASSERT_TRUE(Layout(Bitmap(5, -3, 24), topDown));
    EXPECT_EQ(topDown.height, -3);
    EXPECT_EQ(topDown.pixelBytes, 16u * 3);
}

TEST(BitmapLayouts, AFileShortOfWhatItsHeaderPromisesIsRefused) {
    BitmapLayout layout;
    EXPECT_FALSE(Layout(Bitmap(8000, 8000, 24, BI_RGB, 0, 8000u * 8000u * 3 - 16), layout));
    EXPECT_FALSE(Layout(Bitmap(64, 48, 24, BI_RGB, 0, 1), layout));
    EXPECT_FALSE(Layout(Bitmap(64, 48, 8, BI_RGB, 0, 64 * 48 + 1), layout));  // the colour table cut
    std::string whole = Bitmap(64, 48, 24);
    for (size_t length : {size_t{0}, size_t{2}, size_t{14}, size_t{53}})
        EXPECT_FALSE(Layout(whole.substr(0, length), layout)) << length;
    EXPECT_FALSE(ReadBitmapLayout(nullptr, 100, layout));
}

TEST(BitmapLayouts, CompressionOddHeadersAndAbsurdFieldsAreLeftToTheDecoder) {
    BitmapLayout layout;
    EXPECT_FALSE(Layout(Bitmap(16, 16, 8, BI_RLE8), layout));
    EXPECT_FALSE(Layout(Bitmap(16, 16, 4, BI_RLE4), layout));
    EXPECT_FALSE(Layout(Bitmap(16, 16, 24, BI_BITFIELDS), layout));
    EXPECT_FALSE(Layout(Bitmap(16, 16, 8, BI_RGB, 257), layout));  // more colours than indexes
    EXPECT_FALSE(Layout(Bitmap(16, 16, 7), layout));
    EXPECT_FALSE(Layout(Bitmap(0, 16, 24), layout));
    EXPECT_FALSE(Layout(Bitmap(16, 0, 24), layout));
    EXPECT_FALSE(Layout(Bitmap(40000, 1, 8), layout));

    std::string bytes = Bitmap(4, 4, 24);
    std::string notBm = bytes;
    notBm[0] = 'X';
    EXPECT_FALSE(Layout(notBm, layout));
    std::string pixelsBeforeTable = bytes;
    DWORD inHeader = 10;  // the pixels would start inside the headers
    std::memcpy(&pixelsBeforeTable[10], &inHeader, sizeof(inHeader));
    EXPECT_FALSE(Layout(pixelsBeforeTable, layout));
    std::string hugeHeader = bytes;
    DWORD headerSize = 0x7FFFFFFF;
    std::memcpy(&hugeHeader[14], &headerSize, sizeof(headerSize));
    EXPECT_FALSE(Layout(hugeHeader, layout));
}
