// DirectShow helpers shared by the playback engines: interface queries, pin walking and time
// conversion.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;

// QueryInterface into an owner (the toolchain's headers give no __uuidof for DirectShow).
template <typename T>
HRESULT QueryInto(IUnknown* from, REFIID iid, ComPtr<T>& to) {
    if (!from) return E_POINTER;
    return from->QueryInterface(iid, reinterpret_cast<void**>(to.ReleaseAndGetAddressOf()));
}

// Renders every output pin of filter that is not connected yet. The enumerator's end counts as
// success; the first failing Render ends the walk and is returned.
HRESULT RenderUnconnectedOutputs(IGraphBuilder* graph, IBaseFilter* filter);

// Switches a seeking interface to a time format for one operation. The caller's own format is put
// back after a seek or read that succeeded; a step that fails leaves the format switched.
class TimeFormatSwitch {
public:
    TimeFormatSwitch(IMediaSeeking* seeking, const GUID& format);
    // E_NOINTERFACE when the source cannot use the format, else the result of switching to it.
    HRESULT Result() const { return mResult; }
    // Seeks to target (absolute, stop position unchanged), then restores the caller's format.
    HRESULT SeekAndRestore(LONGLONG target);
    HRESULT Restore();

private:
    IMediaSeeking* mSeeking;
    GUID mFormat;
    GUID mPrevious{};
    HRESULT mResult;
};

// True when any pin of filter is connected to another filter.
bool IsFilterConnected(IBaseFilter* filter);

// The filter's name in the ANSI code page. False when the filter cannot tell it.
bool ReadFilterName(IBaseFilter* filter, std::string& name);

// The path as DirectShow wants it: UTF-16 from the ANSI code page, at most MAX_PATH characters.
std::wstring WidePath(const char* path);
