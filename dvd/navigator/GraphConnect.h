// Connecting a source filter's output pins straight to the platform's renderers, as both DVD
// graph builders (ours and the tests' stand-in) do with their navigator's pins: no intelligent
// connect, so that nothing the platform might insert stands between the pin and the renderer.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

namespace navigator {

HRESULT FirstInputPin(IBaseFilter* filter, IPin** out);

// Makes the renderer `clsid`, adds it to `graph` as `name` and connects `output` directly to
// its first input pin. On failure the renderer leaves the graph again and `renderer` is empty.
HRESULT ConnectNewRenderer(IGraphBuilder* graph, IPin* output, REFCLSID clsid, const wchar_t* name,
                           Microsoft::WRL::ComPtr<IBaseFilter>& renderer);

}  // namespace navigator
