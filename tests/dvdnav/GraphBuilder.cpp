// The double's IDvdGraphBuilder and the DLL's class objects. The builder makes a real filter
// graph of the platform's, puts the navigator filter and the real Video Renderer into it and
// connects them; everything else on the graph is the platform's own.
#include <wrl/client.h>

#include <cstdio>

#include "ComObject.h"
#include "DvdCmd.h"
#include "DvdStateObject.h"
#include "GraphConnect.h"
#include "Navigator.h"
#include "NavigatorFixture.h"

namespace dvdnav {

namespace {

HMODULE gModule = nullptr;
LONG gObjects = 0;
LONG gLocks = 0;

std::string ModuleDir() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(gModule, path, MAX_PATH);
    std::string dir = path;
    size_t slash = dir.find_last_of('\\');
    return slash == std::string::npos ? "." : dir.substr(0, slash);
}

std::string InterfaceName(REFIID iid) {
    struct Name {
        const IID* iid;
        const char* name;
    };
    static const Name names[] = {
        {&IID_IDvdControl2, "IDvdControl2"}, {&IID_IDvdInfo2, "IDvdInfo2"},
        {&IID_IDvdControl, "IDvdControl"},   {&IID_IDvdInfo, "IDvdInfo"},
        {&IID_IVideoWindow, "IVideoWindow"}, {&IID_IBasicVideo, "IBasicVideo"},
        {&IID_IBasicAudio, "IBasicAudio"},
    };
    for (const auto& n : names)
        if (iid == *n.iid) return n.name;
    if (iid == IID_IAMLine21Decoder) return "IAMLine21Decoder";
    if (iid == IID_IMixerPinConfig2) return "IMixerPinConfig2";
    wchar_t text[40] = {};
    ::StringFromGUID2(iid, text, 40);
    return Utf8(text);
}

class Builder final : public ComObject<IDvdGraphBuilder, IID_IDvdGraphBuilder> {
public:
    Builder() {
        ObjectCreated();
        std::vector<std::string> unknown;
        mScript = ParseScript(ReadText(SharedDir() + "\\script.txt"), &unknown);
        Record("Create");
        for (const auto& line : unknown)
            Record("Script? %s", line.c_str());
    }
    ~Builder() {
        mNav.Reset();
        mGraph.Reset();
        ObjectDestroyed();
    }

    HRESULT STDMETHODCALLTYPE GetFiltergraph(IGraphBuilder** graph) override {
        Record("GetFiltergraph");
        if (!graph) return E_POINTER;
        *graph = nullptr;
        if (HRESULT hr = MakeGraph(); FAILED(hr)) return hr;
        *graph = mGraph.Get();
        mGraph->AddRef();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetDvdInterface(REFIID iid, void** out) override {
        std::string name = InterfaceName(iid);
        Record("GetDvdInterface %s", name.c_str());
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!mNav) return VFW_E_DVD_GRAPHNOTREADY;
        if (mScript.noInterface.count(name)) return E_NOINTERFACE;
        if (iid == IID_IDvdControl2 || iid == IID_IDvdInfo2 || iid == IID_IDvdControl || iid == IID_IDvdInfo)
            return mNav->QueryInterface(iid, out);
        if (iid == IID_IVideoWindow || iid == IID_IBasicVideo) return mGraph->QueryInterface(iid, out);
        if (iid == IID_IAMLine21Decoder && mScript.line21)
            return mNav->Line21Interface()->QueryInterface(iid, out);
        if (iid == IID_IMixerPinConfig2 && mScript.mixer)
            return mNav->MixerInterface()->QueryInterface(iid, out);
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE RenderDvdVideoVolume(const WCHAR* path, DWORD flags,
                                                   AM_DVD_RENDERSTATUS* status) override {
        Record("RenderDvdVideoVolume %lu %s", flags, Utf8(path).c_str());
        if (!status) return E_POINTER;
        *status = AM_DVD_RENDERSTATUS{};
        if (mNav) return VFW_E_DVD_RENDERFAIL;  // a builder renders one volume
        if (mScript.renderFails) return static_cast<HRESULT>(mScript.renderHr);
        if (HRESULT hr = MakeGraph(); FAILED(hr)) return hr;

        std::wstring volume = path ? std::wstring(path) : Wide(ModuleDir() + "\\media\\dvd\\VIDEO_TS");
        Disc none;
        // The toolchain's ComPtr::Attach adds a reference: take the new one's own instead.
        *mNav.ReleaseAndGetAddressOf() = new Navigator(mScript, none, false);
        bool hasDisc;
        {
            Navigator::Guard g(*mNav.Get());
            hasDisc = mNav->LoadDisc(volume);
        }
        HRESULT hr = mGraph->AddFilter(mNav.Get(), L"DVD Navigator");
        Microsoft::WRL::ComPtr<IBaseFilter> renderer;
        if (SUCCEEDED(hr))
            hr = navigator::ConnectNewRenderer(mGraph.Get(), mNav->Pin(), CLSID_VideoRenderer,
                                               L"Video Renderer", renderer);
        if (FAILED(hr)) {
            Record("Render? 0x%08lx", static_cast<unsigned long>(hr));
            return VFW_E_DVD_RENDERFAIL;
        }

        // Silence for the real audio renderer, so that the graph's IBasicAudio has one to act on;
        // a machine without sound output simply has no audio path.
        bool audio = ConnectAudio();
        if (!audio) Record("Render? no audio renderer");
        status->iNumStreams = audio ? 2 : 1;
        for (const auto& e : mScript.events) {
            if (e.when != ScriptEvent::When::Build) continue;
            Navigator::Guard g(*mNav.Get());
            mNav->Send(e.code, e.p1, e.p2);
        }
        if (!hasDisc) {
            status->bDvdVolInvalid = path != nullptr;
            status->bDvdVolUnknown = path == nullptr;
            return S_FALSE;
        }
        if (mScript.renderPartial) {
            for (const auto& [field, value] : mScript.renderStatus) {
                if (field == "hrVPEStatus")
                    status->hrVPEStatus = static_cast<HRESULT>(value);
                else if (field == "bDvdVolInvalid")
                    status->bDvdVolInvalid = value != 0;
                else if (field == "bDvdVolUnknown")
                    status->bDvdVolUnknown = value != 0;
                else if (field == "bNoLine21In")
                    status->bNoLine21In = value != 0;
                else if (field == "bNoLine21Out")
                    status->bNoLine21Out = value != 0;
                else if (field == "iNumStreams")
                    status->iNumStreams = static_cast<int>(value);
                else if (field == "iNumStreamsFailed")
                    status->iNumStreamsFailed = static_cast<int>(value);
                else if (field == "dwFailedStreamsFlag")
                    status->dwFailedStreamsFlag = static_cast<DWORD>(value);
            }
            return S_FALSE;
        }
        return S_OK;
    }

private:
    bool ConnectAudio() {
        Microsoft::WRL::ComPtr<IBaseFilter> renderer;
        return SUCCEEDED(navigator::ConnectNewRenderer(mGraph.Get(), mNav->AudioPin(), CLSID_DSoundRender,
                                                       L"Audio Renderer", renderer));
    }
    HRESULT MakeGraph() {
        if (mGraph) return S_OK;
        return ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(mGraph.GetAddressOf()));
    }

    Script mScript;
    Microsoft::WRL::ComPtr<IGraphBuilder> mGraph;
    Microsoft::WRL::ComPtr<Navigator> mNav;
};

class Factory final : public IClassFactory {
public:
    explicit Factory(bool state) : mState(state) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static objects
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        if (mState) return CreateDvdStateObject(iid, out);
        auto* builder = new Builder;
        HRESULT hr = builder->QueryInterface(iid, out);
        builder->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(WINBOOL lock) override {
        if (lock)
            ::InterlockedIncrement(&gLocks);
        else
            ::InterlockedDecrement(&gLocks);
        return S_OK;
    }

private:
    bool mState;
};

Factory gBuilderFactory(false), gStateFactory(true);

}  // namespace

void ObjectCreated() {
    ::InterlockedIncrement(&gObjects);
}
void ObjectDestroyed() {
    ::InterlockedDecrement(&gObjects);
}

}  // namespace dvdnav

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        dvdnav::gModule = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid == CLSID_DvdGraphBuilder) return dvdnav::gBuilderFactory.QueryInterface(iid, out);
    if (clsid == dvdnav::kDvdStateClsid) return dvdnav::gStateFactory.QueryInterface(iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    bool idle =
        dvdnav::gObjects == 0 && navigator::LiveCmdObjects() == 0 && navigator::LiveStateObjects() == 0;
    return idle && dvdnav::gLocks == 0 ? S_OK : S_FALSE;
}
