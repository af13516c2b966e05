#include "StillPicture.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace {

std::string LowerExtension(std::string_view path) {
    size_t component = path.find_last_of("\\/:");
    std::string_view name = component == std::string_view::npos ? path : path.substr(component + 1);
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    std::string extension(name.substr(dot));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

// Little- and big-endian fields of a file header; the caller has checked the length.
unsigned Le16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}
uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
unsigned Be16(const unsigned char* p) {
    return (p[0] << 8) | p[1];
}

std::optional<PictureSize> BmpSize(const unsigned char* b, size_t n) {
    if (n < 26 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
    uint32_t headerSize = Le32(b + 14);
    if (headerSize == 12)
        return PictureSize{static_cast<long>(Le16(b + 18)), static_cast<long>(Le16(b + 20))};
    if (headerSize < 40) return std::nullopt;
    // Bottom-up bitmaps have a positive height, top-down ones a negative one.
    auto width = static_cast<int32_t>(Le32(b + 18));
    auto height = static_cast<int32_t>(Le32(b + 22));
    return PictureSize{static_cast<long>(width), std::labs(static_cast<long>(height))};
}

bool IsFrameStart(unsigned char marker) {
    // SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PictureSize> JpegSize(const unsigned char* b, size_t n) {
    if (n < 4 || b[0] != 0xFF || b[1] != 0xD8) return std::nullopt;
    size_t at = 2;
    while (at + 4 <= n) {
        if (b[at] != 0xFF) return std::nullopt;
        unsigned char marker = b[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length follows
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // scan data before any frame
        unsigned length = Be16(b + at + 2);
        if (length < 2) return std::nullopt;
        if (IsFrameStart(marker)) {
            if (at + 9 > n) return std::nullopt;
            return PictureSize{static_cast<long>(Be16(b + at + 7)), static_cast<long>(Be16(b + at + 5))};
        }
        at += 2 + length;
    }
    return std::nullopt;
}

// The logical screen, grown to the first image if that reaches beyond it.
std::optional<PictureSize> GifSize(const unsigned char* b, size_t n) {
    if (n < 13 || (std::string_view(reinterpret_cast<const char*>(b), 6) != "GIF87a" &&
                   std::string_view(reinterpret_cast<const char*>(b), 6) != "GIF89a")) {
        return std::nullopt;
    }
    PictureSize size{static_cast<long>(Le16(b + 6)), static_cast<long>(Le16(b + 8))};
    size_t at = 13;
    if (b[10] & 0x80) at += 3u << ((b[10] & 7) + 1);  // global colour table
    while (at < n) {
        if (b[at] == 0x2C) {  // image descriptor
            if (at + 9 > n) break;
            size.width = std::max<long>(size.width, Le16(b + at + 1) + Le16(b + at + 5));
            size.height = std::max<long>(size.height, Le16(b + at + 3) + Le16(b + at + 7));
            break;
        }
        if (b[at] != 0x21 || at + 2 > n) break;  // only extensions may come first
        at += 2;
        while (at < n && b[at] != 0)  // its data sub-blocks
            at += 1 + b[at];
        ++at;
    }
    return size;
}

std::optional<PictureSize> TargaSize(const unsigned char* b, size_t n) {
    if (n < 18) return std::nullopt;
    unsigned char colourMapType = b[1];
    unsigned char imageType = b[2];
    bool knownType = imageType == 1 || imageType == 2 || imageType == 3 || imageType == 9 ||
                     imageType == 10 || imageType == 11;
    if (colourMapType > 1 || !knownType) return std::nullopt;
    return PictureSize{static_cast<long>(Le16(b + 12)), static_cast<long>(Le16(b + 14))};
}

}  // namespace

bool IsStillImagePath(std::string_view path) {
    std::string extension = LowerExtension(path);
    for (const char* still : {".bmp", ".jpg", ".jpeg", ".gif", ".tga"}) {
        if (extension == still) return true;
    }
    return false;
}

std::optional<PictureSize> DeclaredPictureSize(std::string_view path, const unsigned char* bytes,
                                               size_t count) {
    if (!bytes) return std::nullopt;
    std::string extension = LowerExtension(path);
    if (extension == ".bmp") return BmpSize(bytes, count);
    if (extension == ".jpg" || extension == ".jpeg") return JpegSize(bytes, count);
    if (extension == ".gif") return GifSize(bytes, count);
    if (extension == ".tga") return TargaSize(bytes, count);
    return std::nullopt;
}

bool IsPictureTooLarge(PictureSize size) {
    if (size.width <= 0 || size.height <= 0) return false;
    return static_cast<int64_t>(size.width) * size.height > kMaxPicturePixels;
}

StillLayout LayoutStill(long w, long h, int workW, int workH, int frameX, int frameY, int caption) {
    long needW = w + 2 * frameX;
    long needH = h + caption + 2 * frameY;
    StillLayout layout;
    layout.horizontalBar = workW < needW;
    layout.verticalBar = workH < needH;
    layout.windowWidth = static_cast<int>(layout.horizontalBar ? workW : needW);
    layout.windowHeight = static_cast<int>(layout.verticalBar ? workH : needH);
    return layout;
}

int ScrollTarget(int request, unsigned thumb, int position, int minimum, int maximum) {
    int target = position;
    switch (request) {
        case kScrollLineBack:
            target = position - 1;
            break;
        case kScrollLineOn:
            target = position + 1;
            break;
        case kScrollPageBack:
            target = position - maximum;
            break;
        case kScrollPageOn:
            target = position + maximum;
            break;
        case kScrollThumbPosition:
        case kScrollThumbTrack:
            target = static_cast<int>(thumb & 0xFFFF);
            break;
    }
    return std::clamp(target, minimum, std::max(minimum, maximum));
}

std::optional<BitmapFileFields> BitmapFileFieldsFor(const unsigned char* dib, size_t available) {
    if (!dib || available < 12) return std::nullopt;
    uint32_t headerSize = Le32(dib);
    uint64_t width, height, bitCount, tableBytes, pixelBytes;
    if (headerSize == 12) {  // the old core header: 16-bit sizes, three-byte colour entries
        width = Le16(dib + 4);
        height = Le16(dib + 6);
        bitCount = Le16(dib + 10);
        tableBytes = bitCount <= 8 ? 3ull << bitCount : 0;
        pixelBytes = (width * bitCount + 31) / 32 * 4 * height;
    } else {
        if (headerSize < 40 || available < 40) return std::nullopt;
        auto signedWidth = static_cast<int32_t>(Le32(dib + 4));
        auto signedHeight = static_cast<int32_t>(Le32(dib + 8));
        if (signedWidth <= 0 || signedHeight == 0) return std::nullopt;
        width = static_cast<uint64_t>(signedWidth);
        height = static_cast<uint64_t>(std::llabs(signedHeight));
        bitCount = Le16(dib + 14);
        uint32_t compression = Le32(dib + 16);
        uint32_t sizeImage = Le32(dib + 20);
        uint32_t coloursUsed = Le32(dib + 32);
        constexpr uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
        if (coloursUsed > 256) return std::nullopt;
        tableBytes = 4ull * (coloursUsed ? coloursUsed : (bitCount <= 8 ? 1u << bitCount : 0));
        // A plain information header is followed by the channel masks when the pixels use them.
        if (headerSize == 40 && compression == kBitFields) tableBytes += 12;
        if (headerSize == 40 && compression == kAlphaBitFields) tableBytes += 16;
        bool packed = compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
        pixelBytes = packed ? (width * bitCount + 31) / 32 * 4 * height : sizeImage;
    }
    if (width == 0 || height == 0) return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return std::nullopt;
    uint64_t dibSize = headerSize + tableBytes + pixelBytes;
    if (dibSize > available || dibSize + kBitmapFileHeaderSize > UINT32_MAX) return std::nullopt;
    BitmapFileFields fields;
    fields.dibSize = static_cast<uint32_t>(dibSize);
    fields.fileSize = static_cast<uint32_t>(dibSize + kBitmapFileHeaderSize);
    fields.bitsOffset = static_cast<uint32_t>(kBitmapFileHeaderSize + headerSize + tableBytes);
    return fields;
}
