// Pictures made by the tests: bitmaps and BMP files from a function of the pixel position.
#pragma once

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Handles.h"

namespace skintest {

using PixelFunction = std::function<COLORREF(int x, int y)>;

// A device-dependent bitmap of the screen's format, like those the skin loader makes.
inline fw::Bitmap MakeBitmap(int width, int height, const PixelFunction& pixel) {
    std::vector<DWORD> bits(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            bits[static_cast<size_t>(y) * width + x] =
                (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    fw::Bitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    ::SetDIBits(screen.Get(), bitmap.Get(), 0, height, bits.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

inline COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    BITMAP b{};
    ::GetObjectA(bitmap, sizeof(b), &b);
    std::vector<DWORD> bits(static_cast<size_t>(b.bmWidth) * b.bmHeight);
    BITMAPINFO info{};
    info.bmiHeader =
        BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), b.bmWidth, -b.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    ::GetDIBits(screen.Get(), bitmap, 0, b.bmHeight, bits.data(), &info, DIB_RGB_COLORS);
    DWORD v = bits[static_cast<size_t>(y) * b.bmWidth + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// A 24-bit Windows bitmap file.
inline void WriteBmp(const std::string& path, int width, int height, const PixelFunction& pixel) {
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + stride * height;
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = rows.data() + static_cast<size_t>(height - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
}

// The bytes of a Windows bitmap file: headers of the given fields, `tableBytes` of colour table
// (and masks), then `pixels` as they are, whatever the header declares.
inline std::string BitmapFileBytes(int width, int height, WORD bits, DWORD compression, DWORD colours,
                                   size_t tableBytes, const std::string& pixels) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = bits;
    info.biCompression = compression;
    info.biClrUsed = colours;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = static_cast<DWORD>(sizeof(file) + sizeof(info) + tableBytes);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    bytes.append(tableBytes, '\0');
    return bytes + pixels;
}

inline bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace skintest
