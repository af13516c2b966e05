// How long the window shape takes to make from a mask, next to the time of only reading the
// mask's pixels (GetDIBits), which every way of making the shape has to pay.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "App.h"
#include "MaskRegion.h"
#include "Pictures.h"

namespace {

double Now() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / f.QuadPart;
}

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        work();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Alternating opaque and transparent pixels: the most runs a mask of this size can have.
fw::Bitmap WorstCaseMask(int width, int height) {
    std::vector<DWORD> bits(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bits[static_cast<size_t>(y) * width + x] = (x + y) % 2 ? 0xFFFFFF : 0x000000;
    }
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    fw::Bitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    ::SetDIBits(screen.Get(), bitmap.Get(), 0, height, bits.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

void ReadPixels(HBITMAP bitmap) {
    SIZE size = skin::BitmapSize(bitmap);
    std::vector<DWORD> bits(static_cast<size_t>(size.cx) * size.cy);
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::MemoryDc dc(::CreateCompatibleDC(nullptr));
    ::GetDIBits(dc.Get(), bitmap, 0, size.cy, bits.data(), &info, DIB_RGB_COLORS);
}

void Report(const char* what, HBITMAP mask, int runs) {
    SIZE size = skin::BitmapSize(mask);
    skin::MaskRegionStats stats;
    skin::MaskToRegion(mask, RGB(255, 255, 255), RGB(16, 16, 16), &stats);
    double region = MedianMs(runs, [&] { skin::MaskToRegion(mask, RGB(255, 255, 255), RGB(16, 16, 16)); });
    double floor = MedianMs(runs, [&] { ReadPixels(mask); });
    std::printf("%s, %ld x %ld, %ld runs in %d batches (median of %d):\n", what, size.cx, size.cy, stats.runs,
                stats.batches, runs);
    std::printf("  MaskToRegion        %10.2f ms\n", region);
    std::printf("  GetDIBits only      %10.2f ms   (floor)\n", floor);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    std::string shipped = fw::ModuleDirectory(nullptr) + "skin\\skin1_mask.bmp";
    fw::Bitmap mask;
    SIZE size{};
    if (!skin::LoadPictureFile(shipped, mask, size)) {
        std::printf("cannot load %s\n", shipped.c_str());
        return 1;
    }
    Report("shipped mask skin1_mask.bmp", mask.Get(), runs);
    fw::Bitmap worst = WorstCaseMask(1920, 1080);
    Report("worst case, alternating pixels", worst.Get(), std::max(1, runs / 3));
    return 0;
}
