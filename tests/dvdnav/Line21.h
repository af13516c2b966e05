// A closed-caption decoder for graphs whose script asks for one: it keeps the service state the
// player sets and records every call.
#pragma once

#include "CallLog.h"
#include "Line21Decoder.h"

namespace dvdnav {

class Line21 final : public IAMLine21Decoder {
public:
    explicit Line21(IUnknown* owner) : mOwner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IAMLine21Decoder) {
            *out = static_cast<IAMLine21Decoder*>(this);
            AddRef();
            return S_OK;
        }
        return mOwner->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return mOwner->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return mOwner->Release(); }
    HRESULT STDMETHODCALLTYPE GetDecoderLevel(AM_LINE21_CCLEVEL* level) override {
        Record("Line21.GetDecoderLevel");
        if (!level) return E_POINTER;
        *level = AM_L21_CCLEVEL_TC2;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCurrentService(AM_LINE21_CCSERVICE* service) override {
        Record("Line21.GetCurrentService");
        if (!service) return E_POINTER;
        *service = mService;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetCurrentService(AM_LINE21_CCSERVICE service) override {
        Record("Line21.SetCurrentService %d", static_cast<int>(service));
        if (service < AM_L21_CCSERVICE_None ||
            (service > AM_L21_CCSERVICE_XDS && service != AM_L21_CCSERVICE_DefChannel))
            return E_INVALIDARG;
        mService = service;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetServiceState(AM_LINE21_CCSTATE* state) override {
        Record("Line21.GetServiceState");
        if (!state) return E_POINTER;
        *state = mState;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetServiceState(AM_LINE21_CCSTATE state) override {
        Record("Line21.SetServiceState %d", static_cast<int>(state));
        if (state != AM_L21_CCSTATE_Off && state != AM_L21_CCSTATE_On) return E_INVALIDARG;
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
    HRESULT STDMETHODCALLTYPE GetDrawBackgroundMode(AM_LINE21_DRAWBGMODE* mode) override {
        if (!mode) return E_POINTER;
        *mode = AM_L21_DRAWBGMODE_Transparent;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetDrawBackgroundMode(AM_LINE21_DRAWBGMODE) override { return S_OK; }

    AM_LINE21_CCSTATE State() const { return mState; }

private:
    IUnknown* mOwner;
    AM_LINE21_CCSERVICE mService = AM_L21_CCSERVICE_Caption1;
    AM_LINE21_CCSTATE mState = AM_L21_CCSTATE_Off;
};

}  // namespace dvdnav
