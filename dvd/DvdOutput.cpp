#include "DvdOutput.h"

#include <ddraw.h>
#include <wrl/client.h>

#include <string>

#include "Handles.h"

using Microsoft::WRL::ComPtr;

namespace {

// The overlay mixer's colour interface; the toolchain has its identifier but not its header.
// Only the last two entries are called; the others keep the table's layout.
struct IOverlayColorPin : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetRelativePosition(DWORD, DWORD, DWORD, DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRelativePosition(DWORD*, DWORD*, DWORD*, DWORD*) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetZOrder(DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetZOrder(DWORD*) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetColorKey(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColorKey(void*, DWORD*) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBlendingParameter(DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBlendingParameter(DWORD*) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAspectRatioMode(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAspectRatioMode(int*) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStreamTransparent(BOOL) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStreamTransparent(BOOL*) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetOverlaySurfaceColorControls(LPDDCOLORCONTROL) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOverlaySurfaceColorControls(LPDDCOLORCONTROL) = 0;
};

constexpr long kFullBrightness = 10000;
constexpr char kDvdErrorCaption[] = "DVD Error!";
constexpr char kNoColourInterface[] =
    "Cannot get the IID_IMixerPinConfig2 interface.Sorry, can't control DVD color.";
constexpr char kNoColourControls[] =
    "Cannot control the GetOverlaySurfaceColorControls interface.Sorry, can't control DVD color.";

}  // namespace

HRESULT SetFullBrightness(IDvdGraphBuilder* dvdGraphBuilder) {
    if (!dvdGraphBuilder) return S_OK;
    ComPtr<IOverlayColorPin> colour;
    HRESULT hr = dvdGraphBuilder->GetDvdInterface(IID_IMixerPinConfig2,
                                                  reinterpret_cast<void**>(colour.GetAddressOf()));
    if (FAILED(hr) || !colour) {
        ::MessageBoxA(nullptr, kNoColourInterface, kDvdErrorCaption, MB_OK);
        return FAILED(hr) ? hr : E_NOINTERFACE;
    }
    DDCOLORCONTROL controls{};
    controls.dwSize = sizeof(controls);
    hr = colour->GetOverlaySurfaceColorControls(&controls);
    if (FAILED(hr)) {
        ::MessageBoxA(nullptr, kNoColourControls, kDvdErrorCaption, MB_OK);
        return hr;
    }
    controls.lBrightness = kFullBrightness;
    colour->SetOverlaySurfaceColorControls(&controls);
    return hr;
}

bool GetRegionDrive(IDvdInfo2* dvdInfo, char& drive) {
    if (!dvdInfo) return false;
    WCHAR directory[MAX_PATH] = {};
    ULONG length = 0;
    if (FAILED(dvdInfo->GetDVDDirectory(directory, MAX_PATH, &length))) return false;
    directory[MAX_PATH - 1] = L'\0';
    char narrow[MAX_PATH] = {};
    ::WideCharToMultiByte(CP_ACP, 0, directory, -1, narrow, MAX_PATH - 1, nullptr, nullptr);
    drive = narrow[0];
    return true;
}

namespace {

using DvdLauncherProc = BOOL(WINAPI*)(HWND, CHAR);

bool RunDvdLauncher(HWND window, char drive) {
    char path[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    std::string library(path, length < MAX_PATH ? length : 0);
    library += "\\storprop.dll";
    fw::ModuleHandle module(::LoadLibraryA(library.c_str()));
    if (!module) return false;
    auto launcher = reinterpret_cast<DvdLauncherProc>(
        reinterpret_cast<void*>(::GetProcAddress(module.Get(), "DvdLauncher")));
    if (!launcher) return false;
    return launcher(window, drive) == 1;
}

bool RunRegionProgram(char drive) {
    char directory[MAX_PATH] = {};
    UINT length = ::GetWindowsDirectoryA(directory, MAX_PATH);
    std::string commandLine(directory, length < MAX_PATH ? length : 0);
    commandLine += "\\DVDRgn.exe ";
    commandLine += drive;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                          nullptr, &startup, &process))
        return false;
    fw::KernelHandle processHandle(process.hProcess);
    fw::KernelHandle threadHandle(process.hThread);
    ::WaitForSingleObject(processHandle.Get(), INFINITE);
    DWORD exitCode = 1;
    return ::GetExitCodeProcess(processHandle.Get(), &exitCode) && exitCode == 0;
}

}  // namespace

bool RunRegionTool(HWND window, char drive) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        return RunDvdLauncher(window, drive);
    }
    return RunRegionProgram(drive);
}

HRESULT RestartNavigator(IMediaControl* mediaControl, IDvdControl2* dvdControl) {
    if (!mediaControl || !dvdControl) return E_POINTER;
    mediaControl->Pause();
    dvdControl->SetOption(DVD_ResetOnStop, TRUE);
    mediaControl->Stop();
    dvdControl->SetOption(DVD_ResetOnStop, FALSE);
    return mediaControl->Run();
}
