// Screen captures as PNG files, through GDI and the Windows Imaging Component's PNG encoder.
#include <wincodec.h>
#include <wrl/client.h>

#include <vector>

#include "Driver.h"

using Microsoft::WRL::ComPtr;

namespace e2e {

namespace {

// Top-down 32-bit pixels of a screen rectangle.
bool CaptureScreen(const RECT& r, std::vector<BYTE>& pixels) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    fw::WindowDc screen(nullptr);
    fw::MemoryDc memory(::CreateCompatibleDC(screen.Get()));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    fw::Bitmap section(::CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !section) return false;
    {
        fw::SelectedObject selected(memory.Get(), section.Get());
        if (!::BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), r.left, r.top, SRCCOPY)) return false;
        ::GdiFlush();
    }
    const BYTE* p = static_cast<const BYTE*>(bits);
    pixels.assign(p, p + static_cast<size_t>(w) * h * 4);
    for (size_t i = 3; i < pixels.size(); i += 4)
        pixels[i] = 255;  // GDI leaves alpha undefined
    return true;
}

bool WritePng(const std::string& path, int w, int h, std::vector<BYTE>& pixels) {
    fw::ComInit com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&factory)))) {
        return false;
    }
    std::wstring widePath(path.begin(), path.end());
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    return SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(w, h)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
           SUCCEEDED(frame->WritePixels(h, w * 4, static_cast<UINT>(pixels.size()), pixels.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

bool CaptureToPng(const RECT& r, const std::string& path) {
    std::vector<BYTE> pixels;
    return CaptureScreen(r, pixels) && WritePng(path, r.right - r.left, r.bottom - r.top, pixels);
}

}  // namespace

bool Screenshot(const std::string& pngPath) {
    RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return CaptureToPng(screen, pngPath);
}

bool ScreenshotWindow(HWND hwnd, const std::string& pngPath) {
    return CaptureToPng(WindowRect(hwnd), pngPath);
}

COLORREF ScreenPixel(int x, int y) {
    fw::WindowDc screen(nullptr);
    return ::GetPixel(screen.Get(), x, y);
}

}  // namespace e2e
