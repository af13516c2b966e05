#include "Pictures.h"

#include <ole2.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstring>

#include "BitmapFile.h"
#include "ComOnDemand.h"

namespace skin {

using Microsoft::WRL::ComPtr;

std::string SkinDirectoryOf(const std::string& path) {
    char full[MAX_PATH] = {};
    char* fileName = nullptr;
    DWORD n = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, &fileName);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string directory = fileName ? std::string(full, fileName - full) : std::string(full, n);
    if (!directory.empty() && directory.back() == '\\') directory.pop_back();
    return directory + '\\';
}

namespace {

// The whole file in a movable memory block, or nothing.
fw::GlobalMem ReadWholeFile(const std::string& path, DWORD& bytes) {
    fw::FileHandle file(
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > 256 * 1024 * 1024)
        return {};
    bytes = static_cast<DWORD>(size.QuadPart);
    fw::GlobalMem block(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block) return {};
    void* data = ::GlobalLock(block.Get());
    if (!data) return {};
    DWORD read = 0;
    BOOL ok = ::ReadFile(file.Get(), data, bytes, &read, nullptr);
    ::GlobalUnlock(block.Get());
    if (!ok || read != bytes) return {};
    return block;
}

// A whole uncompressed Windows bitmap becomes a DIB section of its own format without COM: the
// OLE decoder is the larger part of a skin's start. Anything else is left to that decoder.
bool LoadPlainBitmap(HGLOBAL block, DWORD bytes, fw::Bitmap& target) {
    const auto* data = static_cast<const unsigned char*>(::GlobalLock(block));
    if (!data) return false;
    BitmapLayout layout;
    if (ReadBitmapLayout(data, bytes, layout)) {
        void* pixels = nullptr;
        const auto* info = reinterpret_cast<const BITMAPINFO*>(data + layout.infoOffset);
        target.Reset(::CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &pixels, nullptr, 0));
        if (target && pixels) std::memcpy(pixels, data + layout.pixelOffset, layout.pixelBytes);
        if (!pixels) target.Reset();
    }
    ::GlobalUnlock(block);
    return static_cast<bool>(target);
}

// Any picture the OLE decoder reads: bitmaps, JPEG, GIF and the others.
bool LoadOlePicture(fw::GlobalMem block, DWORD bytes, fw::Bitmap& target) {
    if (!fw::EnsureCom()) return false;
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, &stream))) return false;
    block.Release();  // the stream frees it
    ComPtr<IPicture> picture;
    HRESULT hr = ::OleLoadPicture(stream.Get(), static_cast<LONG>(bytes), FALSE, IID_IPicture,
                                  reinterpret_cast<void**>(picture.GetAddressOf()));
    stream.Reset();
    if (FAILED(hr) || !picture) return false;
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle)))
        return false;
    // The decoder's bitmap dies with the picture object; a copy of our own outlives it. The copy
    // is a DIB section: cutting the controls' pictures out of it is then a plain copy of memory,
    // many times cheaper than going through the display driver for every piece.
    HBITMAP decoded = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    target.Reset(static_cast<HBITMAP>(::CopyImage(decoded, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return static_cast<bool>(target);
}

}  // namespace

bool LoadPictureFile(const std::string& path, fw::Bitmap& target, SIZE& size) {
    target.Reset();
    DWORD bytes = 0;
    fw::GlobalMem block = ReadWholeFile(path, bytes);
    if (!block) return false;
    fw::Bitmap picture;
    if (!LoadPlainBitmap(block.Get(), bytes, picture) && !LoadOlePicture(std::move(block), bytes, picture))
        return false;
    BITMAP info{};
    if (!::GetObjectA(picture.Get(), sizeof(info), &info)) return false;
    size = SIZE{info.bmWidth, info.bmHeight};
    target = std::move(picture);
    return true;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

PictureCutter::PictureCutter(HDC surface)
    : mSurface(surface), mFrom(::CreateCompatibleDC(surface)), mTo(::CreateCompatibleDC(surface)) {}

void PictureCutter::Cut(fw::Bitmap& target, HBITMAP source, int left, int top, int right, int bottom) {
    if (!source) return;
    int width = right - left;
    int height = bottom - top;
    target.Reset();
    if (width <= 0 || height <= 0 || width > kMaxCutSide || height > kMaxCutSide) return;
    if (!mFrom || !mTo) return;
    fw::SelectedObject keepSource(mFrom.Get(), source);
    // A piece of a DIB section is made in the source's own format (a memory context that holds a
    // DIB section makes DIB sections); any other source gives a piece compatible with the surface.
    DIBSECTION section{};
    bool isSection = ::GetObjectA(source, sizeof(section), &section) == sizeof(section);
    fw::Bitmap cut(::CreateCompatibleBitmap(isSection ? mFrom.Get() : mSurface, width, height));
    if (!cut) return;
    {
        fw::SelectedObject keepTarget(mTo.Get(), cut.Get());
        ::BitBlt(mTo.Get(), 0, 0, width, height, mFrom.Get(), left, top, SRCCOPY);
    }
    target = std::move(cut);
}

void CutPicture(HDC surface, fw::Bitmap& target, HBITMAP source, int left, int top, int right, int bottom) {
    PictureCutter(surface).Cut(target, source, left, top, right, bottom);
}

void DrawPicture(HDC surface, HBITMAP bitmap, int left, int top, int right, int bottom, bool stretch) {
    if (!bitmap) return;
    int width = right - left;
    int height = bottom - top;
    fw::MemoryDc memory(::CreateCompatibleDC(surface));
    if (!memory) return;
    fw::SelectedObject keep(memory.Get(), bitmap);
    if (stretch) {
        ::StretchBlt(surface, left, top, width, height, memory.Get(), 0, 0, width, height, SRCCOPY);
    } else {
        ::BitBlt(surface, left, top, width, height, memory.Get(), 0, 0, SRCCOPY);
    }
}

}  // namespace skin
