// The navigator's subpicture decoding, its drawing over pictures with menu highlights, and the
// mapping of window points to the picture and its buttons, as plain functions on plain values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "PictureGeometry.h"
#include "SpuOverlay.h"
#include "Subpicture.h"
#include "Yuv.h"

using namespace navigator;

namespace {

// Writes the run-length codes of one line: runs of (count, type), the last run to the line's
// end written as "fill" when `fillLast`.
class RleWriter {
public:
    void Run(unsigned count, unsigned type) {
        unsigned code = count << 2 | type;
        int nibbles = count < 4 ? 1 : count < 16 ? 2 : count < 64 ? 3 : 4;
        for (int i = nibbles - 1; i >= 0; --i)
            Nibble((code >> (4 * i)) & 0xf);
    }
    void Fill(unsigned type) {  // the rest of the line
        for (int i = 0; i < 3; ++i)
            Nibble(0);
        Nibble(type);
    }
    void EndLine() {
        if (mHalf) Nibble(0);
    }
    std::vector<uint8_t> bytes;

private:
    void Nibble(unsigned n) {
        if (!mHalf)
            bytes.push_back(static_cast<uint8_t>(n << 4));
        else
            bytes.back() = static_cast<uint8_t>(bytes.back() | n);
        mHalf = !mHalf;
    }
    bool mHalf = false;
};

struct UnitLayout {
    int left = 10, top = 20, width = 0, height = 0;
    uint8_t colour[4] = {0, 1, 2, 3};  // per pixel type
    uint8_t contrast[4] = {0, 15, 8, 15};
    bool forced = false;
    unsigned stopSteps = 0;  // 0: no stop command
};

void Put16(std::vector<uint8_t>& u, size_t at, unsigned v) {
    u[at] = static_cast<uint8_t>(v >> 8);
    u[at + 1] = static_cast<uint8_t>(v);
}

// A whole unit of `pixels` (width x height types, rows top down) as a disc carries it.
std::vector<uint8_t> MakeUnit(const UnitLayout& s, const std::vector<uint8_t>& pixels) {
    RleWriter fields[2];
    for (int y = 0; y < s.height; ++y) {
        RleWriter& w = fields[y & 1];
        int x = 0;
        while (x < s.width) {
            uint8_t type = pixels[static_cast<size_t>(y) * s.width + x];
            int run = 1;
            while (x + run < s.width && pixels[static_cast<size_t>(y) * s.width + x + run] == type &&
                   run < 255)
                ++run;
            if (x + run == s.width && run > 3)
                w.Fill(type);
            else
                w.Run(static_cast<unsigned>(run), type);
            x += run;
        }
        w.EndLine();
    }
    // The size and the table's offset first, then the two fields.
    size_t top = 4, bottom = top + fields[0].bytes.size(), table = bottom + fields[1].bytes.size();
    std::vector<uint8_t> u(table);
    std::copy(fields[0].bytes.begin(), fields[0].bytes.end(), u.begin() + static_cast<std::ptrdiff_t>(top));
    std::copy(fields[1].bytes.begin(), fields[1].bytes.end(), u.begin() + static_cast<std::ptrdiff_t>(bottom));
    // First sequence: delay 0, start, colours, contrasts, area, fields.
    size_t second = table + 4 + 1 + 3 + 3 + 7 + 5 + 1;
    std::vector<uint8_t> seq = {0, 0, 0, 0, static_cast<uint8_t>(s.forced ? 0x00 : 0x01)};
    seq.push_back(0x03);
    seq.push_back(static_cast<uint8_t>(s.colour[3] << 4 | s.colour[2]));
    seq.push_back(static_cast<uint8_t>(s.colour[1] << 4 | s.colour[0]));
    seq.push_back(0x04);
    seq.push_back(static_cast<uint8_t>(s.contrast[3] << 4 | s.contrast[2]));
    seq.push_back(static_cast<uint8_t>(s.contrast[1] << 4 | s.contrast[0]));
    int x2 = s.left + s.width - 1, y2 = s.top + s.height - 1;
    seq.insert(seq.end(),
               {0x05, static_cast<uint8_t>(s.left >> 4), static_cast<uint8_t>((s.left & 0xf) << 4 | x2 >> 8),
                static_cast<uint8_t>(x2), static_cast<uint8_t>(s.top >> 4),
                static_cast<uint8_t>((s.top & 0xf) << 4 | y2 >> 8), static_cast<uint8_t>(y2)});
    seq.insert(seq.end(), {0x06, static_cast<uint8_t>(top >> 8), static_cast<uint8_t>(top),
                           static_cast<uint8_t>(bottom >> 8), static_cast<uint8_t>(bottom), 0xff});
    size_t first = u.size();
    u.insert(u.end(), seq.begin(), seq.end());
    if (s.stopSteps) {
        Put16(u, first + 2, static_cast<unsigned>(second));
        u.insert(u.end(), {static_cast<uint8_t>(s.stopSteps >> 8), static_cast<uint8_t>(s.stopSteps),
                           static_cast<uint8_t>(second >> 8), static_cast<uint8_t>(second), 0x02, 0xff});
    } else {
        Put16(u, first + 2, static_cast<unsigned>(first));
    }
    Put16(u, 0, static_cast<unsigned>(u.size()));
    Put16(u, 2, static_cast<unsigned>(table));
    return u;
}

// A picture with runs of every code length: 1 to 3 pixels, up to 15, up to 63, up to 255, and
// lines that end in a fill.
std::vector<uint8_t> Pattern(int width, int height) {
    std::vector<uint8_t> p(static_cast<size_t>(width) * height);
    const int runs[] = {1, 2, 3, 5, 15, 16, 40, 63, 64, 100};
    for (int y = 0; y < height; ++y) {
        int x = 0, i = y % 10;
        unsigned type = static_cast<unsigned>(y) % 4;
        while (x < width) {
            for (int n = 0; n < runs[i % 10] && x < width; ++n)
                p[static_cast<size_t>(y) * width + x++] = static_cast<uint8_t>(type);
            type = (type + 1) % 4;
            ++i;
        }
    }
    return p;
}

TEST(NavigatorSubpicture, AUnitDecodesToItsPictureAreaColoursAndTimes) {
    UnitLayout layout;
    layout.width = 300;
    layout.height = 11;
    layout.stopSteps = 200;
    std::vector<uint8_t> pixels = Pattern(layout.width, layout.height);
    std::vector<uint8_t> unit = MakeUnit(layout, pixels);
    SpuPicture p;
    ASSERT_TRUE(DecodeSpu(unit.data(), unit.size(), p));
    EXPECT_EQ(10, p.left);
    EXPECT_EQ(20, p.top);
    ASSERT_EQ(300, p.width);
    ASSERT_EQ(11, p.height);
    EXPECT_EQ(pixels, p.pixels);
    EXPECT_TRUE(p.hasStart);
    EXPECT_FALSE(p.forced);
    EXPECT_EQ(0, p.startDelay);
    EXPECT_EQ(200 * 1024, p.stopDelay);  // delays count in steps of 1024 ticks of 90 kHz
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(layout.colour[t], p.colour[t]);
        EXPECT_EQ(layout.contrast[t], p.contrast[t]);
    }
}

TEST(NavigatorSubpicture, AForcedUnitWithoutStopShowsUntilTheNext) {
    UnitLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.forced = true;
    SpuPicture p;
    std::vector<uint8_t> unit = MakeUnit(layout, std::vector<uint8_t>(8, 1));
    ASSERT_TRUE(DecodeSpu(unit.data(), unit.size(), p));
    EXPECT_TRUE(p.forced);
    EXPECT_EQ(-1, p.stopDelay);
}

TEST(NavigatorSubpicture, DamagedUnitsAreRefused) {
    UnitLayout layout;
    layout.width = 40;
    layout.height = 6;
    std::vector<uint8_t> good = MakeUnit(layout, Pattern(40, 6));
    SpuPicture p;
    ASSERT_TRUE(DecodeSpu(good.data(), good.size(), p));
    // Shorter than its size says.
    EXPECT_FALSE(DecodeSpu(good.data(), good.size() - 3, p));
    // The control table outside the unit.
    std::vector<uint8_t> bad = good;
    Put16(bad, 2, static_cast<unsigned>(bad.size() + 10));
    EXPECT_FALSE(DecodeSpu(bad.data(), bad.size(), p));
    // An unknown command.
    bad = good;
    size_t table = static_cast<size_t>(bad[2]) << 8 | bad[3];
    bad[table + 4] = 0x42;
    EXPECT_FALSE(DecodeSpu(bad.data(), bad.size(), p));
    // No end command before the unit ends.
    bad = good;
    bad.back() = 0x01;
    EXPECT_FALSE(DecodeSpu(bad.data(), bad.size(), p));
    EXPECT_FALSE(DecodeSpu(nullptr, 0, p));
    // Whatever the bytes, nothing is read outside them.
    std::mt19937 random(26);
    for (int i = 0; i < 3000; ++i) {
        std::vector<uint8_t> noise = good;
        for (int k = 0; k < 6; ++k)
            noise[random() % noise.size()] = static_cast<uint8_t>(random());
        noise.resize(4 + random() % noise.size());
        DecodeSpu(noise.data(), noise.size(), p);
    }
}

TEST(NavigatorSubpicture, PacketsJoinIntoUnitsFromOneWithATimeStamp) {
    UnitLayout layout;
    layout.width = 200;
    layout.height = 20;
    std::vector<uint8_t> unit = MakeUnit(layout, Pattern(200, 20));
    ASSERT_GT(unit.size(), 30u);
    SpuAssembler a;
    size_t third = unit.size() / 3;
    // A continuation without a unit under way (joined in the middle) is dropped.
    EXPECT_FALSE(a.Add(unit.data() + third, third, false, 0));
    EXPECT_FALSE(a.Add(unit.data(), third, true, 9000));
    EXPECT_FALSE(a.Add(unit.data() + third, third, false, 0));
    ASSERT_TRUE(a.Add(unit.data() + 2 * third, unit.size() - 2 * third, false, 0));
    EXPECT_EQ(unit, a.Unit());
    EXPECT_EQ(9000, a.UnitPts());
    // A new time stamp starts over, dropping a unit cut short.
    EXPECT_FALSE(a.Add(unit.data(), third, true, 1));
    ASSERT_TRUE(a.Add(unit.data(), unit.size(), true, 2));
    EXPECT_EQ(2, a.UnitPts());
}

// A 16 x 8 picture of one colour, rows bottom-up as the renderer takes them.
std::vector<uint8_t> Canvas(uint32_t rgb) {
    std::vector<uint8_t> c(16 * 8 * 4);
    for (size_t i = 0; i < c.size(); i += 4) {
        c[i] = static_cast<uint8_t>(rgb);
        c[i + 1] = static_cast<uint8_t>(rgb >> 8);
        c[i + 2] = static_cast<uint8_t>(rgb >> 16);
    }
    return c;
}

uint32_t At(const std::vector<uint8_t>& c, int x, int y) {
    size_t i = (static_cast<size_t>(7 - y) * 16 + x) * 4;
    return static_cast<uint32_t>(c[i + 2]) << 16 | static_cast<uint32_t>(c[i + 1]) << 8 | c[i];
}

uint32_t Entry(int y, int cr, int cb) {
    return static_cast<uint32_t>(y) << 16 | static_cast<uint32_t>(cr) << 8 | static_cast<uint32_t>(cb);
}

TEST(NavigatorSubpicture, UnitsDrawWithTheirPaletteAndContrast) {
    uint32_t palette[16] = {};
    palette[1] = Entry(235, 128, 128);  // white
    palette[2] = Entry(16, 128, 128);   // black
    palette[3] = Entry(210, 146, 16);   // yellow
    EXPECT_EQ(0xffffffu, PaletteRgb(palette[1]));
    EXPECT_EQ(0x000000u, PaletteRgb(palette[2]));
    SpuPicture spu;
    spu.left = 2;
    spu.top = 1;
    spu.width = 4;
    spu.height = 2;
    spu.pixels = {0, 1, 2, 3, 1, 1, 1, 1};
    spu.colour[0] = 2;
    spu.colour[1] = 1;
    spu.colour[2] = 2;
    spu.colour[3] = 3;
    spu.contrast[0] = 0;   // transparent
    spu.contrast[1] = 15;  // opaque
    spu.contrast[2] = 5;   // a third
    spu.contrast[3] = 15;
    std::vector<uint8_t> c = Canvas(0x3060f0);
    DrawSpu(spu, palette, nullptr, c.data(), 16, 8, 16 * 4);
    EXPECT_EQ(0x3060f0u, At(c, 2, 1));  // type 0: nothing drawn
    EXPECT_EQ(0xffffffu, At(c, 3, 1));
    EXPECT_EQ(0x2040a0u, At(c, 4, 1));  // black over the picture at a third
    EXPECT_EQ(PaletteRgb(palette[3]), At(c, 5, 1));
    EXPECT_EQ(0xffffffu, At(c, 2, 2));
    EXPECT_EQ(0x3060f0u, At(c, 1, 1));  // outside the area
    EXPECT_EQ(0x3060f0u, At(c, 2, 3));
}

TEST(NavigatorSubpicture, AButtonsHighlightRecoloursOnlyItsArea) {
    uint32_t palette[16] = {};
    palette[1] = Entry(235, 128, 128);
    palette[3] = Entry(210, 146, 16);
    SpuPicture spu;
    spu.left = 0;
    spu.top = 0;
    spu.width = 8;
    spu.height = 1;
    spu.pixels.assign(8, 1);
    spu.colour[1] = 1;
    spu.contrast[1] = 15;
    // Pixel type 1 yellow and opaque in the selected colours; the word holds types 3..0.
    SpuHighlight h = ButtonHighlight(2, 0, 4, 0, 0x003000f0u);
    EXPECT_EQ(3, h.colour[1]);
    EXPECT_EQ(15, h.contrast[1]);
    EXPECT_EQ(0, h.contrast[0]);
    std::vector<uint8_t> c = Canvas(0);
    DrawSpu(spu, palette, &h, c.data(), 16, 8, 16 * 4);
    EXPECT_EQ(0xffffffu, At(c, 1, 0));
    EXPECT_EQ(PaletteRgb(palette[3]), At(c, 2, 0));
    EXPECT_EQ(PaletteRgb(palette[3]), At(c, 4, 0));  // right and bottom are inside
    EXPECT_EQ(0xffffffu, At(c, 5, 0));
}

TEST(NavigatorSubpicture, WhatLiesOutsideThePictureIsLeftOut) {
    uint32_t palette[16] = {};
    palette[1] = Entry(235, 128, 128);
    SpuPicture spu;
    spu.left = 12;
    spu.top = 6;
    spu.width = 10;
    spu.height = 10;
    spu.pixels.assign(100, 1);
    spu.contrast[1] = 15;
    spu.colour[1] = 1;
    std::vector<uint8_t> c = Canvas(0);
    std::vector<uint8_t> guard(64, 0xab);
    c.insert(c.end(), guard.begin(), guard.end());
    DrawSpu(spu, palette, nullptr, c.data(), 16, 8, 16 * 4);
    EXPECT_EQ(0xffffffu, At(c, 15, 7));
    EXPECT_EQ(0u, At(c, 11, 7));
    EXPECT_TRUE(std::equal(guard.begin(), guard.end(), c.end() - 64));
    spu.pixels.resize(5);  // fewer pixels than the area: nothing is drawn
    std::vector<uint8_t> d = Canvas(0);
    DrawSpu(spu, palette, nullptr, d.data(), 16, 8, 16 * 4);
    EXPECT_EQ(0u, At(d, 15, 7));
}

TEST(NavigatorGeometry, WindowPointsMapToThePictureAtAnySize) {
    Box picture{0, 0, 720, 576};
    long x = 0, y = 0;
    // The normal size: one to one.
    ASSERT_TRUE(WindowToPicture(220, 200, Box{0, 0, 720, 576}, picture, x, y));
    EXPECT_EQ(220, x);
    EXPECT_EQ(200, y);
    // Zoomed twice: every picture pixel is two window pixels.
    ASSERT_TRUE(WindowToPicture(441, 401, Box{0, 0, 1440, 1152}, picture, x, y));
    EXPECT_EQ(220, x);
    EXPECT_EQ(200, y);
    // Full screen on 1024 x 768, the picture 960 wide at 32: a third more each way.
    ASSERT_TRUE(WindowToPicture(32 + 294, 267, Box{32, 0, 960, 768}, picture, x, y));
    EXPECT_EQ(220, x);
    EXPECT_EQ(200, y);
    // The last pixel of the window is the picture's last.
    ASSERT_TRUE(WindowToPicture(991, 767, Box{32, 0, 960, 768}, picture, x, y));
    EXPECT_EQ(719, x);
    EXPECT_EQ(575, y);
    // A part of the picture drawn over the window.
    ASSERT_TRUE(WindowToPicture(0, 0, Box{0, 0, 360, 240}, Box{360, 240, 360, 240}, x, y));
    EXPECT_EQ(360, x);
    EXPECT_EQ(240, y);
    // Off the picture, or nothing to map with.
    EXPECT_FALSE(WindowToPicture(31, 300, Box{32, 0, 960, 768}, picture, x, y));
    EXPECT_FALSE(WindowToPicture(992, 300, Box{32, 0, 960, 768}, picture, x, y));
    EXPECT_FALSE(WindowToPicture(-1, 0, Box{0, 0, 720, 576}, picture, x, y));
    EXPECT_FALSE(WindowToPicture(10, 10, Box{0, 0, 0, 0}, picture, x, y));
}

TEST(NavigatorGeometry, TheButtonUnderAPointIsTheOneWithTheNearestCentre) {
    std::vector<VmButton> buttons(3);
    buttons[0] = VmButton{200, 160, 519, 239, 1};
    buttons[1] = VmButton{200, 320, 519, 399, 1};
    buttons[2] = VmButton{400, 200, 600, 380, 1};  // overlaps both
    EXPECT_EQ(1, ButtonAt(buttons, 200, 160));
    EXPECT_EQ(1, ButtonAt(buttons, 399, 239));
    EXPECT_EQ(2, ButtonAt(buttons, 210, 330));
    EXPECT_EQ(3, ButtonAt(buttons, 480, 240));
    EXPECT_EQ(1, ButtonAt(buttons, 410, 205));
    EXPECT_EQ(0, ButtonAt(buttons, 199, 200));
    EXPECT_EQ(0, ButtonAt(buttons, 300, 280));
    EXPECT_EQ(0, ButtonAt({}, 300, 200));
}

}  // namespace
