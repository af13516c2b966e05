// Finding one byte value in a long text, eight bytes per step. The run-time library's memchr,
// as Wine provides it, looks at one byte at a time, and loading a playlist searches every byte
// of its file for line ends and every entry for a NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace playlist {

// The first byte equal to byte in [data, data + size), or nullptr when there is none.
inline const char* FindByte(const char* data, std::size_t size, char byte) {
    const char* end = data + size;
    constexpr std::uint32_t kOnes = 0x01010101u, kHighs = 0x80808080u;
    const std::uint32_t pattern = kOnes * static_cast<unsigned char>(byte);
    // A word XOR the pattern has a zero byte exactly where the word holds the byte; the test
    // below tells whether a word has any zero byte (never wrongly), and the bytes of the step
    // that has one are then looked at one by one.
    while (end - data >= 8) {
        std::uint32_t a, b;
        std::memcpy(&a, data, 4);
        std::memcpy(&b, data + 4, 4);
        a ^= pattern;
        b ^= pattern;
        if ((((a - kOnes) & ~a) | ((b - kOnes) & ~b)) & kHighs) break;
        data += 8;
    }
    for (; data < end; ++data) {
        if (*data == byte) return data;
    }
    return nullptr;
}

// The first CR or LF in [data, data + size), or nullptr when there is none: every common
// line-end convention (CR LF, LF, CR alone) ends a line at one of the two.
inline const char* FindLineEnd(const char* data, std::size_t size) {
    const char* end = data + size;
    constexpr std::uint32_t kOnes = 0x01010101u, kHighs = 0x80808080u;
    constexpr std::uint32_t kCr = kOnes * '\r', kLf = kOnes * '\n';
    while (end - data >= 4) {
        std::uint32_t w;
        std::memcpy(&w, data, 4);
        std::uint32_t cr = w ^ kCr, lf = w ^ kLf;
        if ((((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs) break;
        data += 4;
    }
    for (; data < end; ++data) {
        if (*data == '\r' || *data == '\n') return data;
    }
    return nullptr;
}

}  // namespace playlist
