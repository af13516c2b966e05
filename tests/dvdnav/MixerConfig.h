// IMixerPinConfig2 (IID_IMixerPinConfig2), which the cross compiler's headers do not declare, in
// the platform's method order: the overlay mixer's pin configuration with its colour controls.
#pragma once

#include <windows.h>
#include <ddraw.h>
#include <dshow.h>

namespace dvdnav {

struct IMixerConfig2 : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetRelativePosition(DWORD left, DWORD top, DWORD right,
                                                          DWORD bottom) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRelativePosition(DWORD* left, DWORD* top, DWORD* right,
                                                          DWORD* bottom) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetZOrder(DWORD order) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetZOrder(DWORD* order) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetColorKey(void* key) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColorKey(void* key, DWORD* colour) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBlendingParameter(DWORD value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBlendingParameter(DWORD* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAspectRatioMode(int mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAspectRatioMode(int* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStreamTransparent(BOOL transparent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStreamTransparent(BOOL* transparent) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetOverlaySurfaceColorControls(DDCOLORCONTROL* controls) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOverlaySurfaceColorControls(DDCOLORCONTROL* controls) = 0;
};

}  // namespace dvdnav
