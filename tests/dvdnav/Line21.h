// A closed-caption decoder for graphs whose script asks for one: it keeps the service state the
// player sets and records every call.
#pragma once

#include "CallLog.h"
#include "Line21Decoder.h"

namespace dvdnav {

class Line21 final : public ILine21 {
public:
    explicit Line21(IUnknown* owner) : mOwner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IAMLine21Decoder) {
            *out = static_cast<ILine21*>(this);
            AddRef();
            return S_OK;
        }
        return mOwner->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return mOwner->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return mOwner->Release(); }
    HRESULT STDMETHODCALLTYPE GetDecoderLevel(int* level) override {
        Record("Line21.GetDecoderLevel");
        if (!level) return E_POINTER;
        *level = 0;  // AM_L21_CCLEVEL_TC2
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCurrentService(int* service) override {
        Record("Line21.GetCurrentService");
        if (!service) return E_POINTER;
        *service = mService;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetCurrentService(int service) override {
        Record("Line21.SetCurrentService %d", service);
        if (service < 0 || (service > 5 && service != 10)) return E_INVALIDARG;
        mService = service;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetServiceState(int* state) override {
        Record("Line21.GetServiceState");
        if (!state) return E_POINTER;
        *state = mState;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetServiceState(int state) override {
        Record("Line21.SetServiceState %d", state);
        if (state != 0 && state != 1) return E_INVALIDARG;  // AM_L21_CCSTATE_Off, _On
        mState = state;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetOutputFormat(BITMAPINFOHEADER*) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetOutputFormat(BITMAPINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBackgroundColor(DWORD* colour) override {
        if (!colour) return E_POINTER;
        *colour = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetBackgroundColor(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetRedrawAlways(BOOL* option) override {
        if (!option) return E_POINTER;
        *option = FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetRedrawAlways(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetDrawBackgroundMode(int* mode) override {
        if (!mode) return E_POINTER;
        *mode = 1;  // transparent
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetDrawBackgroundMode(int) override { return S_OK; }

    int State() const { return mState; }

private:
    IUnknown* mOwner;
    int mService = 1;  // caption 1
    int mState = 0;
};

}  // namespace dvdnav
