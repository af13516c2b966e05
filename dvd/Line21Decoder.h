// The closed-caption decoder's interface, which the cross compiler's headers do not declare.
#pragma once

#include <windows.h>
#include <unknwn.h>

#ifndef TESMARO_LINE21_DECODER_DECLARED
#define TESMARO_LINE21_DECODER_DECLARED

enum AM_LINE21_CCLEVEL { AM_L21_CCLEVEL_TC2 = 0 };
enum AM_LINE21_CCSERVICE {
    AM_L21_CCSERVICE_None = 0,
    AM_L21_CCSERVICE_Caption1,
    AM_L21_CCSERVICE_Caption2,
    AM_L21_CCSERVICE_Text1,
    AM_L21_CCSERVICE_Text2,
    AM_L21_CCSERVICE_XDS,
    AM_L21_CCSERVICE_DefChannel = 10,
    AM_L21_CCSERVICE_Invalid
};
enum AM_LINE21_CCSTATE { AM_L21_CCSTATE_Off = 0, AM_L21_CCSTATE_On };
enum AM_LINE21_DRAWBGMODE { AM_L21_DRAWBGMODE_Opaque, AM_L21_DRAWBGMODE_Transparent };

extern "C" const IID IID_IAMLine21Decoder;

struct IAMLine21Decoder : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetDecoderLevel(AM_LINE21_CCLEVEL* level) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentService(AM_LINE21_CCSERVICE* service) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCurrentService(AM_LINE21_CCSERVICE service) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetServiceState(AM_LINE21_CCSTATE* state) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetServiceState(AM_LINE21_CCSTATE state) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOutputFormat(BITMAPINFOHEADER* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetOutputFormat(BITMAPINFO* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBackgroundColor(DWORD* color) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBackgroundColor(DWORD color) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRedrawAlways(BOOL* option) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetRedrawAlways(BOOL option) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDrawBackgroundMode(AM_LINE21_DRAWBGMODE* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDrawBackgroundMode(AM_LINE21_DRAWBGMODE mode) = 0;
};

#endif
