// Still pictures as plain values: which paths are pictures, the size a picture file declares,
// how a picture is laid out in the video window and scrolled, and the file header that makes a
// captured frame a bitmap file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// True when the path's extension (the text from the last "." of its last component) is one of
// ".bmp", ".jpg", ".jpeg", ".gif", ".tga" in any letter case.
bool IsStillImagePath(std::string_view path);

struct PictureSize {
    long width = 0;
    long height = 0;
};

// The width and height that a BMP, JPEG, GIF or Targa file declares in its first bytes, or
// nothing when they are not there (too few bytes, an unknown or damaged header). The format is
// taken from the path's extension, since a Targa file has no signature of its own.
std::optional<PictureSize> DeclaredPictureSize(std::string_view path, const unsigned char* bytes,
                                               size_t count);

// Pictures whose decoded frame would not fit beside everything else in a 32-bit process: more
// than this many pixels (four bytes each, several copies on the way to the screen).
inline constexpr int64_t kMaxPicturePixels = 32 * 1000 * 1000;
bool IsPictureTooLarge(PictureSize size);

// How the video window frames a picture of w x h on a work area of workW x workH.
struct StillLayout {
    bool horizontalBar = false;
    bool verticalBar = false;
    int windowWidth = 0;
    int windowHeight = 0;
};
// frameX and frameY are the sizing border's width and height, caption the caption's height.
// A picture that fits gets a window just around it; a picture wider (higher) than the work area
// gets the work area's width (height) and a scroll bar for that side.
StillLayout LayoutStill(long w, long h, int workW, int workH, int frameX, int frameY, int caption);

// Scroll bar request codes as the platform numbers them.
enum ScrollRequest : int {
    kScrollLineBack = 0,
    kScrollLineOn = 1,
    kScrollPageBack = 2,
    kScrollPageOn = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
};
// The position that a scroll request leads to, kept within minimum .. maximum. A page is the
// whole range, so page requests jump to either end. thumb is the 16-bit position that thumb
// requests carry.
int ScrollTarget(int request, unsigned thumb, int position, int minimum, int maximum);

// The fields of the 14-byte file header that goes in front of a packed device-independent
// bitmap (an information header, its colour table or masks, then the pixels).
struct BitmapFileFields {
    uint32_t fileSize = 0;    // the header and every byte of the bitmap
    uint32_t bitsOffset = 0;  // from the start of the file to the first pixel
    uint32_t dibSize = 0;     // bytes of the packed bitmap that belong to the picture
};
inline constexpr uint32_t kBitmapFileHeaderSize = 14;
// Reads the information header at the start of dib (available bytes long). Nothing when the
// header is damaged or claims more bytes than are there.
std::optional<BitmapFileFields> BitmapFileFieldsFor(const unsigned char* dib, size_t available);
