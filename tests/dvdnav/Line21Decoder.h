// IAMLine21Decoder (IID_IAMLine21Decoder), which the cross compiler's headers do not declare, in
// the platform's method order; the enumerations are passed as their int values
// (AM_L21_CCSTATE_Off 0, AM_L21_CCSTATE_On 1).
#pragma once

#include <windows.h>
#include <dshow.h>

namespace dvdnav {

struct ILine21 : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetDecoderLevel(int* level) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentService(int* service) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCurrentService(int service) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetServiceState(int* state) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetServiceState(int state) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOutputFormat(BITMAPINFOHEADER* header) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetOutputFormat(BITMAPINFO* info) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBackgroundColor(DWORD* colour) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBackgroundColor(DWORD colour) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRedrawAlways(BOOL* option) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetRedrawAlways(BOOL option) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDrawBackgroundMode(int* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDrawBackgroundMode(int mode) = 0;
};

}  // namespace dvdnav
