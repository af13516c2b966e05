// Saving the current video frame as a bitmap file, and opening that file with the shell.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <new>

#include "FilePlayer.h"
#include "Handles.h"
#include "StillPicture.h"

namespace {

constexpr char kCaptureFailed[] = "Failed to capture image!  hr=0x%x";
constexpr DWORD kFrameWaitMs = 1000;
constexpr DWORD kFrameWaitStepMs = 20;

// Room for the largest packed bitmap a renderer can hold of a w x h frame: an information
// header with masks and a full colour table, and four bytes a pixel.
long FrameBufferBytes(long w, long h) {
    if (w <= 0 || h <= 0) return 0;
    long long bytes = static_cast<long long>(w) * h * 4 + sizeof(BITMAPV5HEADER) + 256 * sizeof(RGBQUAD);
    return bytes > 0x7FFFFFFF ? 0 : static_cast<long>(bytes);
}

}  // namespace

HRESULT FilePlayer::ReadCurrentImage(std::unique_ptr<unsigned char[]>& image, long& size) {
    size = 0;
    HRESULT hr = basicVideo->GetCurrentImage(&size, nullptr);
    if (hr == E_POINTER) {
        // Some renderers will not tell the size without a buffer: take the frame's size.
        long w = 0, h = 0;
        hr = basicVideo->GetVideoSize(&w, &h);
        if (FAILED(hr)) return hr;
        size = FrameBufferBytes(w, h);
    }
    if (FAILED(hr)) return hr;
    if (size < static_cast<long>(sizeof(BITMAPINFOHEADER))) return E_UNEXPECTED;
    image.reset(new (std::nothrow) unsigned char[size]);
    if (!image) return E_OUTOFMEMORY;
    // A renderer that has just been paused may hold no frame until the next one arrives, a
    // frame's time later.
    long buffer = size;
    DWORD start = ::GetTickCount();
    for (;;) {
        size = buffer;
        hr = basicVideo->GetCurrentImage(&size, reinterpret_cast<long*>(image.get()));
        if (hr != E_UNEXPECTED || ::GetTickCount() - start >= kFrameWaitMs) return hr;
        ::Sleep(kFrameWaitStepMs);
    }
}

bool FilePlayer::CaptureFrame(const char* path) {
    if (!basicVideo || audioOnly || IsStillImage(fileName)) return false;
    Pause();
    std::unique_ptr<unsigned char[]> image;
    long size = 0;
    HRESULT hr = ReadCurrentImage(image, size);
    if (FAILED(hr)) {
        ReportError(kCaptureFailed, static_cast<unsigned>(hr));
        return false;
    }
    // Other programs know a bitmap file by this header in front of the renderer's bytes.
    std::optional<BitmapFileFields> fields = BitmapFileFieldsFor(image.get(), static_cast<size_t>(size));
    if (!fields) {
        ReportError(kCaptureFailed, static_cast<unsigned>(E_UNEXPECTED));
        return false;
    }

    fw::FileHandle file(::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfSize = fields->fileSize;
    header.bfOffBits = fields->bitsOffset;
    DWORD written = 0;
    bool ok = ::WriteFile(file.Get(), &header, sizeof(header), &written, nullptr) &&
              written == sizeof(header) &&
              ::WriteFile(file.Get(), image.get(), fields->dibSize, &written, nullptr) &&
              written == fields->dibSize;
    if (!ok) {
        char text[MAX_PATH + 32];
        std::snprintf(text, sizeof(text), "can not capture %s!", path);
        ModalScope modal(modalGuard);
        ::MessageBoxA(nullptr, text, "error report", MB_OK);
    }
    file.Reset();
    Play();
    return true;
}

void FilePlayer::OpenCapturedImage(const char* path) {
    ::ShellExecuteA(notifyWindow, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}
