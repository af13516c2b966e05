// Move-only owners for the Win32 handles the program keeps: each releases its handle with the
// one call that matches how it was obtained.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace fw {

// Owner of a handle type H with a release function Traits::Close and an invalid value.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : mHandle(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : mHandle(o.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) Reset(o.Release());
        return *this;
    }

    Handle Get() const { return mHandle; }
    explicit operator bool() const { return mHandle != Traits::Invalid(); }
    Handle Release() { return std::exchange(mHandle, Traits::Invalid()); }
    void Reset(Handle h = Traits::Invalid()) {
        if (mHandle != Traits::Invalid()) Traits::Close(mHandle);
        mHandle = h;
    }
    // For APIs that fill a handle through a pointer.
    Handle* Put() {
        Reset();
        return &mHandle;
    }

private:
    Handle mHandle = Traits::Invalid();
};

struct KernelHandleTraits {  // CreateProcess, CreateEvent, OpenProcess...
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile and FindFirstFile report failure as INVALID_HANDLE_VALUE
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyMenu(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
struct GlobalMemTraits {
    using Handle = HGLOBAL;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::GlobalFree(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};
template <typename T>
struct GdiTraits {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using GlobalMem = UniqueHandle<GlobalMemTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;
using Bitmap = UniqueHandle<GdiTraits<HBITMAP>>;
using Font = UniqueHandle<GdiTraits<HFONT>>;
using Brush = UniqueHandle<GdiTraits<HBRUSH>>;
using Region = UniqueHandle<GdiTraits<HRGN>>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;

// A device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : mHwnd(hwnd), mDc(::GetDC(hwnd)) {}
    ~WindowDc() {
        if (mDc) ::ReleaseDC(mHwnd, mDc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return mDc; }
    explicit operator bool() const { return mDc != nullptr; }

private:
    HWND mHwnd;
    HDC mDc;
};

// BeginPaint / EndPaint around one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : mHwnd(hwnd) { mDc = ::BeginPaint(hwnd, &mPs); }
    ~PaintDc() { ::EndPaint(mHwnd, &mPs); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return mDc; }
    const PAINTSTRUCT& Info() const { return mPs; }

private:
    HWND mHwnd;
    PAINTSTRUCT mPs{};
    HDC mDc;
};

// An object selected into a DC for the lifetime of this guard.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) : mDc(dc), mOld(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~SelectedObject() {
        if (mOld) ::SelectObject(mDc, mOld);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC mDc;
    HGDIOBJ mOld;
};

// SaveDC / RestoreDC around drawing that changes modes, colours and fonts.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : mDc(dc), mState(::SaveDC(dc)) {}
    ~SavedDcState() {
        if (mState) ::RestoreDC(mDc, mState);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC mDc;
    int mState;
};

// A global atom that is deleted unless ownership is handed on (to the receiver of a message).
class GlobalAtom {
public:
    explicit GlobalAtom(const char* name) : mAtom(::GlobalAddAtomA(name)) {}
    ~GlobalAtom() {
        if (mAtom) ::GlobalDeleteAtom(mAtom);
    }
    GlobalAtom(const GlobalAtom&) = delete;
    GlobalAtom& operator=(const GlobalAtom&) = delete;
    ATOM Get() const { return mAtom; }
    ATOM Release() { return std::exchange(mAtom, ATOM{0}); }

private:
    ATOM mAtom;
};

// CoInitialize for the current thread, undone when the scope ends if it succeeded.
class ComInit {
public:
    ComInit() : mHr(::CoInitialize(nullptr)) {}
    ~ComInit() {
        if (SUCCEEDED(mHr)) ::CoUninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;
    bool Ok() const { return SUCCEEDED(mHr); }
    HRESULT Result() const { return mHr; }

private:
    HRESULT mHr;
};

}  // namespace fw
