#include "GraphConnect.h"

using Microsoft::WRL::ComPtr;

namespace navigator {

HRESULT FirstInputPin(IBaseFilter* filter, IPin** out) {
    if (!filter || !out) return E_POINTER;
    *out = nullptr;
    ComPtr<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(pins.GetAddressOf());
    if (FAILED(hr)) return hr;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION dir;
        if (SUCCEEDED(pin->QueryDirection(&dir)) && dir == PINDIR_INPUT) {
            *out = pin.Detach();
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

HRESULT ConnectNewRenderer(IGraphBuilder* graph, IPin* output, REFCLSID clsid, const wchar_t* name,
                           ComPtr<IBaseFilter>& renderer) {
    renderer.Reset();
    if (!graph || !output) return E_POINTER;
    ComPtr<IBaseFilter> made;
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                    reinterpret_cast<void**>(made.GetAddressOf()));
    if (FAILED(hr)) return hr;
    hr = graph->AddFilter(made.Get(), name);
    if (FAILED(hr)) return hr;
    ComPtr<IPin> input;
    hr = FirstInputPin(made.Get(), input.GetAddressOf());
    if (SUCCEEDED(hr)) hr = graph->ConnectDirect(output, input.Get(), nullptr);
    if (FAILED(hr)) {
        graph->RemoveFilter(made.Get());
        return hr;
    }
    renderer = made;
    return S_OK;
}

}  // namespace navigator
