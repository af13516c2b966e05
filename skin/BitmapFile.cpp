#include "BitmapFile.h"

#include <cstring>

namespace skin {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;  // BITMAPINFOHEADER; the later headers extend it
constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;
constexpr int kMaxSide = 32768;

uint32_t Read32(const unsigned char* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

uint16_t Read16(const unsigned char* at) {
    uint16_t value;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

}  // namespace

bool ReadBitmapLayout(const unsigned char* bytes, size_t size, BitmapLayout& layout) {
    if (!bytes || size < kFileHeaderBytes + kInfoHeaderBytes) return false;
    if (bytes[0] != 'B' || bytes[1] != 'M') return false;
    uint32_t pixelOffset = Read32(bytes + 10);
    const unsigned char* info = bytes + kFileHeaderBytes;
    uint32_t headerBytes = Read32(info);
    if (headerBytes < kInfoHeaderBytes || headerBytes > size - kFileHeaderBytes) return false;
    auto width = static_cast<int32_t>(Read32(info + 4));
    auto height = static_cast<int32_t>(Read32(info + 8));
    uint16_t planes = Read16(info + 12);
    uint16_t bits = Read16(info + 14);
    uint32_t compression = Read32(info + 16);
    uint32_t coloursUsed = Read32(info + 32);
    if (planes != 1 || width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        return false;
    bool indexed = bits == 1 || bits == 4 || bits == 8;
    if (!indexed && bits != 16 && bits != 24 && bits != 32) return false;
    if (compression != kRgb && !(compression == kBitFields && (bits == 16 || bits == 32))) return false;
    uint64_t colours = indexed ? (coloursUsed ? coloursUsed : (1u << bits)) : coloursUsed;
    if (indexed && colours > (1u << bits)) return false;
    // Masks follow a plain 40-byte header; the later headers hold them inside.
    uint64_t masks = compression == kBitFields && headerBytes == kInfoHeaderBytes ? 12 : 0;
    uint64_t tableEnd = kFileHeaderBytes + uint64_t{headerBytes} + masks + colours * 4;
    uint64_t stride = ((uint64_t(width) * bits + 31) / 32) * 4;
    uint64_t pixelBytes = stride * uint64_t(height < 0 ? -int64_t(height) : height);
    if (tableEnd > size || pixelOffset < tableEnd || pixelOffset > size || pixelBytes > size - pixelOffset)
        return false;
    layout.infoOffset = kFileHeaderBytes;
    layout.pixelOffset = pixelOffset;
    layout.pixelBytes = static_cast<size_t>(pixelBytes);
    layout.width = width;
    layout.height = height;
    return true;
}

}  // namespace skin
