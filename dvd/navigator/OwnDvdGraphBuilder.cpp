#include "OwnDvdGraphBuilder.h"

#include <wrl/client.h>

#include <string>

#include "ComObject.h"
#include "DvdStateObject.h"
#include "GraphConnect.h"
#include "Navigator.h"

using Microsoft::WRL::ComPtr;

namespace navigator {

namespace {

// With no path the navigator looks for a disc itself: the first CD or DVD drive holding a
// DVD-Video volume.
std::wstring FindVolume() {
    DWORD drives = ::GetLogicalDrives();
    for (int d = 0; d < 26; ++d) {
        if (!(drives & (1u << d))) continue;
        wchar_t root[] = {static_cast<wchar_t>(L'A' + d), L':', L'\\', 0};
        if (::GetDriveTypeW(root) != DRIVE_CDROM) continue;
        std::wstring ifo = std::wstring(root) + L"VIDEO_TS\\VIDEO_TS.IFO";
        if (::GetFileAttributesW(ifo.c_str()) != INVALID_FILE_ATTRIBUTES)
            return std::wstring(root) + L"VIDEO_TS";
    }
    return L"";
}

class Builder final : public ComObject<IDvdGraphBuilder, IID_IDvdGraphBuilder> {
public:
    Builder() { mStateClass = SUCCEEDED(RegisterStateClass()); }
    ~Builder() {
        mVideoRenderer.Reset();
        mAudioRenderer.Reset();
        if (mNav) mNav->Release();
        mGraph.Reset();
        if (mStateClass) RevokeStateClass();
    }


    HRESULT STDMETHODCALLTYPE GetFiltergraph(IGraphBuilder** graph) override {
        if (!graph) return E_POINTER;
        *graph = nullptr;
        if (HRESULT hr = MakeGraph(); FAILED(hr)) return hr;
        *graph = mGraph.Get();
        mGraph->AddRef();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetDvdInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!mNav) return VFW_E_DVD_GRAPHNOTREADY;
        if (iid == IID_IDvdControl2 || iid == IID_IDvdInfo2) return mNav->QueryInterface(iid, out);
        // The renderers' own interfaces, as the platform's builder hands them out.
        if ((iid == IID_IVideoWindow || iid == IID_IBasicVideo) && mVideoRenderer)
            return mVideoRenderer->QueryInterface(iid, out);
        if (iid == IID_IBasicAudio && mAudioRenderer) return mAudioRenderer->QueryInterface(iid, out);
        // No closed-caption decoder, no overlay mixer, no older navigator interfaces.
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE RenderDvdVideoVolume(const WCHAR* path, DWORD flags,
                                                   AM_DVD_RENDERSTATUS* status) override {
        if (!status) return E_POINTER;
        *status = AM_DVD_RENDERSTATUS{};
        if (mNav) return VFW_E_DVD_RENDERFAIL;  // a builder renders one volume
        // Our decoding is software: a caller that will have hardware decoding only gets none.
        if ((flags & AM_DVD_HWDEC_ONLY) && !(flags & (AM_DVD_SWDEC_PREFER | AM_DVD_SWDEC_ONLY)))
            return VFW_E_DVD_DECNOTENOUGH;
        if (HRESULT hr = MakeGraph(); FAILED(hr)) return hr;

        std::wstring volume = path ? std::wstring(path) : FindVolume();
        OpenResult opened;
        mNav = Navigator::Create(volume, opened);
        HRESULT hr = mGraph->AddFilter(mNav, L"DVD Navigator");
        if (SUCCEEDED(hr)) hr = ConnectVideo();
        if (FAILED(hr)) {
            Undo();
            return VFW_E_DVD_RENDERFAIL;
        }
        bool audio = ConnectAudio();
        status->iNumStreams = 3;  // video, subpicture (drawn into the video) and audio
        if (!audio) {
            status->iNumStreamsFailed = 1;
            status->dwFailedStreamsFlag = AM_DVD_STREAM_AUDIO;
        }
        if (!opened.hasDisc) {
            status->bDvdVolInvalid = !volume.empty();
            status->bDvdVolUnknown = volume.empty();
        }
        return opened.hasDisc && audio ? S_OK : S_FALSE;
    }

private:
    HRESULT MakeGraph() {
        if (mGraph) return S_OK;
        return ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(mGraph.GetAddressOf()));
    }

    HRESULT ConnectVideo() {
        return ConnectNewRenderer(mGraph.Get(), mNav->VideoPin(), CLSID_VideoRenderer, L"Video Renderer",
                                  mVideoRenderer);
    }

    // Sound to the DirectSound renderer; a machine without sound output has no audio path.
    bool ConnectAudio() {
        return SUCCEEDED(ConnectNewRenderer(mGraph.Get(), mNav->AudioPin(), CLSID_DSoundRender,
                                            L"Audio Renderer", mAudioRenderer));
    }

    void Undo() {
        if (mVideoRenderer) mGraph->RemoveFilter(mVideoRenderer.Get());
        if (mNav) mGraph->RemoveFilter(mNav);
        mVideoRenderer.Reset();
        if (mNav) mNav->Release();
        mNav = nullptr;
    }

    bool mStateClass = false;
    ComPtr<IGraphBuilder> mGraph;
    Navigator* mNav = nullptr;
    ComPtr<IBaseFilter> mVideoRenderer, mAudioRenderer;
};

}  // namespace

}  // namespace navigator

HRESULT CreateOwnDvdGraphBuilder(IDvdGraphBuilder** out) {
    if (!out) return E_POINTER;
    *out = new navigator::Builder;
    return S_OK;
}
