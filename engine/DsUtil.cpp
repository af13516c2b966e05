#include "DsUtil.h"

#include <cwchar>

HRESULT RenderUnconnectedOutputs(IGraphBuilder* graph, IBaseFilter* filter) {
    ComPtr<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(pins.GetAddressOf());
    if (FAILED(hr)) return hr;
    for (;;) {
        ComPtr<IPin> pin;
        if (pins->Next(1, pin.GetAddressOf(), nullptr) != S_OK) break;
        ComPtr<IPin> peer;
        HRESULT connected = pin->ConnectedTo(peer.GetAddressOf());
        PIN_DIRECTION direction;
        if (connected == VFW_E_NOT_CONNECTED && SUCCEEDED(pin->QueryDirection(&direction)) &&
            direction == PINDIR_OUTPUT) {
            hr = graph->Render(pin.Get());
            if (FAILED(hr)) return hr;
        }
    }
    return SUCCEEDED(hr) ? S_OK : hr;
}

TimeFormatSwitch::TimeFormatSwitch(IMediaSeeking* seeking, const GUID& format)
    : mSeeking(seeking), mFormat(format) {
    mResult =
        seeking->IsFormatSupported(&format) != S_OK ? E_NOINTERFACE : seeking->GetTimeFormat(&mPrevious);
    if (SUCCEEDED(mResult)) mResult = seeking->SetTimeFormat(&format);
}

HRESULT TimeFormatSwitch::SeekAndRestore(LONGLONG target) {
    HRESULT hr =
        mSeeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    return FAILED(hr) ? hr : (Restore(), hr);
}

HRESULT TimeFormatSwitch::Restore() {
    return mPrevious == mFormat ? S_OK : mSeeking->SetTimeFormat(&mPrevious);
}

bool IsFilterConnected(IBaseFilter* filter) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.GetAddressOf()))) return false;
    for (ComPtr<IPin> pin; pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
        ComPtr<IPin> peer;
        if (SUCCEEDED(pin->ConnectedTo(peer.GetAddressOf()))) return true;
    }
    return false;
}

std::wstring WidePath(const char* path) {
    wchar_t wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    wide[MAX_PATH - 1] = L'\0';
    return wide;
}

bool ReadFilterName(IBaseFilter* filter, std::string& name) {
    FILTER_INFO info{};
    if (FAILED(filter->QueryFilterInfo(&info))) return false;
    if (info.pGraph) info.pGraph->Release();
    // A filter may fill the whole name field without a terminator.
    int length = static_cast<int>(::wcsnlen(info.achName, MAX_FILTER_NAME));
    char ansi[MAX_FILTER_NAME * 2 + 1] = {};
    int bytes =
        ::WideCharToMultiByte(CP_ACP, 0, info.achName, length, ansi, sizeof(ansi) - 1, nullptr, nullptr);
    name.assign(ansi, bytes > 0 ? bytes : 0);
    return true;
}
