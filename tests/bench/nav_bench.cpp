// Our DVD navigator next to the platform's own decoding of the same title, in the same run:
//   1. from the open to the first decoded picture drawn, median of RUNS: a graph of our builder
//      (CreateOwnDvdGraphBuilder, RenderDvdVideoVolume, Run), and a bare graph that renders the
//      title's VTS_01_1.VOB as a file (RenderFile, Run), by turns;
//   2. a minute of 720 x 576 at 25 frames a second in each: frames the renderer drew and dropped
//      (its IQualProp) and the process's CPU seconds per second of playback.
// Both graphs use the classic Video Renderer and the DirectSound renderer, as the player does.
// It prints figures and judges nothing: nav_bench [RUNS] [SECONDS]
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "OwnDvdGraphBuilder.h"

using Microsoft::WRL::ComPtr;

namespace {

template <typename T>
HRESULT Query(IUnknown* from, REFIID iid, ComPtr<T>& to) {
    return from->QueryInterface(iid, reinterpret_cast<void**>(to.ReleaseAndGetAddressOf()));
}

double Now() {
    LARGE_INTEGER counter, freq;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&freq);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(freq.QuadPart);
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto seconds = [](FILETIME t) {
        return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Lets the renderer's window thread go on: its messages come to whoever made the graph.
void Pump(DWORD ms) {
    DWORD until = ::GetTickCount() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (static_cast<LONG>(until - ::GetTickCount()) > 0);
}

// Hears the renderer's quality messages, which it sends once for each picture it draws: how late
// each came, against the clock (more than a frame of 25 a second counts).
class QualitySink final : public IQualityControl {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IQualityControl) {
            *out = static_cast<IQualityControl*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as its graph's owner
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Notify(IBaseFilter*, Quality q) override {
        ::InterlockedIncrement(&messages);
        if (q.Late > 400000) ::InterlockedIncrement(&late);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSink(IQualityControl*) override { return E_NOTIMPL; }
    LONG messages = 0, late = 0;
};

// A graph that plays, with the renderer that tells what it drew.
struct Playing {
    ComPtr<IDvdGraphBuilder> builder;  // ours only
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> media;
    ComPtr<IQualProp> quality;
    ComPtr<IVideoWindow> window;
    ComPtr<IQualityControl> rendererQuality;
    QualitySink sink;
    bool sinkSet = false;
    bool ok = false;

    ~Playing() {
        if (media) media->Stop();
        if (rendererQuality) rendererQuality->SetSink(nullptr);
        rendererQuality.Reset();
        window.Reset();
        quality.Reset();
        media.Reset();
        graph.Reset();
        builder.Reset();
    }
    // The renderer's own counts where it has IQualProp; Wine's renderers have none, but they
    // send a quality message for each picture drawn, and draw a late picture rather than drop
    // it: there a picture more than a frame late counts as one dropped.
    int FramesDrawn() {
        int n = 0;
        if (quality && SUCCEEDED(quality->get_FramesDrawn(&n))) return n;
        return sinkSet ? static_cast<int>(sink.messages) : -1;
    }
    int FramesDropped() {
        int n = 0;
        if (quality && SUCCEEDED(quality->get_FramesDroppedInRenderer(&n))) return n;
        return sinkSet ? static_cast<int>(sink.late) : -1;
    }
    const char* DropMeaning() const { return quality ? "dropped" : "late>1 frame"; }
};

bool Finish(Playing& p, IBaseFilter* renderer) {
    if (!renderer) return false;
    Query(renderer, IID_IQualProp, p.quality);
    if (SUCCEEDED(Query(renderer, IID_IQualityControl, p.rendererQuality)))
        p.sinkSet = SUCCEEDED(p.rendererQuality->SetSink(&p.sink));
    Query(p.graph.Get(), IID_IMediaControl, p.media);
    Query(p.graph.Get(), IID_IVideoWindow, p.window);
    if (!p.media) return false;
    if (p.window) p.window->SetWindowPosition(0, 0, 720, 576);
    p.ok = SUCCEEDED(p.media->Run());
    return p.ok;
}

// Our builder on the volume, as the DVD engine will build it.
bool OpenOurs(Playing& p, const std::wstring& ifo) {
    if (FAILED(CreateOwnDvdGraphBuilder(p.builder.GetAddressOf()))) return false;
    AM_DVD_RENDERSTATUS status{};
    if (FAILED(p.builder->RenderDvdVideoVolume(ifo.c_str(), AM_DVD_HWDEC_PREFER, &status))) return false;
    if (FAILED(p.builder->GetFiltergraph(p.graph.GetAddressOf()))) return false;
    ComPtr<IBaseFilter> renderer;
    p.graph->FindFilterByName(L"Video Renderer", renderer.GetAddressOf());
    return Finish(p, renderer.Get());
}

// The platform's splitter and decoders on the title's VOB as a plain file.
bool OpenBare(Playing& p, const std::wstring& vob) {
    if (FAILED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(p.graph.GetAddressOf()))))
        return false;
    ComPtr<IBaseFilter> renderer;
    if (FAILED(::CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(renderer.GetAddressOf()))) ||
        FAILED(p.graph->AddFilter(renderer.Get(), L"Video Renderer")))
        return false;
    if (FAILED(p.graph->RenderFile(vob.c_str(), nullptr))) return false;
    return Finish(p, renderer.Get());
}

using Opener = std::function<bool(Playing&)>;

// Seconds from the open to the first picture drawn; -1 when none came.
double TimeToFirstPicture(const Opener& open) {
    double start = Now();
    Playing p;
    if (!open(p)) return -1;
    for (double waited = 0; waited < 20; waited = Now() - start) {
        if (p.FramesDrawn() > 0) return Now() - start;
        Pump(2);
    }
    return -1;
}

struct PlaybackFigures {
    int drawn = -1, dropped = -1;
    const char* dropMeaning = "dropped";
    double seconds = 0, cpuPerSecond = -1;
};

PlaybackFigures PlayFor(const Opener& open, double seconds) {
    PlaybackFigures f;
    Playing p;
    if (!open(p)) return f;
    double start = Now();
    while (p.FramesDrawn() <= 0 && Now() - start < 20)
        Pump(5);
    int drawn0 = p.FramesDrawn(), dropped0 = p.FramesDropped();
    double wall0 = Now(), cpu0 = CpuSeconds();
    Pump(static_cast<DWORD>(seconds * 1000));
    f.seconds = Now() - wall0;
    f.cpuPerSecond = (CpuSeconds() - cpu0) / f.seconds;
    int drawn = p.FramesDrawn(), dropped = p.FramesDropped();
    if (drawn >= 0 && drawn0 >= 0) f.drawn = drawn - drawn0;
    if (dropped >= 0 && dropped0 >= 0) f.dropped = dropped - dropped0;
    f.dropMeaning = p.DropMeaning();
    return f;
}

std::wstring ProgramDir() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir = path;
    return dir.substr(0, dir.find_last_of(L'\\'));
}

void PrintPlayback(const char* name, const PlaybackFigures& f) {
    auto count = [](int n) { return n < 0 ? std::string("n/a") : std::to_string(n); };
    std::printf("  %-34s %6.1f s  drawn %5s  %s %5s  CPU %.2f s/s\n", name, f.seconds, count(f.drawn).c_str(),
                f.dropMeaning, count(f.dropped).c_str(), f.cpuPerSecond);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    double seconds = argc > 2 ? std::atof(argv[2]) : 60;
    if (FAILED(::CoInitialize(nullptr))) return 1;
    std::wstring folder = ProgramDir() + L"\\media\\bench-dvd\\VIDEO_TS";
    std::wstring ifo = folder + L"\\VIDEO_TS.IFO", vob = folder + L"\\VTS_01_1.VOB";
    if (::GetFileAttributesW(vob.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("nav_bench: no benchmark volume in media\\bench-dvd\n");
        return 1;
    }
    Opener ours = [&](Playing& p) { return OpenOurs(p, ifo); };
    Opener bare = [&](Playing& p) { return OpenBare(p, vob); };

    // A first open of each loads the libraries and fills the caches.
    TimeToFirstPicture(ours);
    TimeToFirstPicture(bare);
    std::vector<double> oursTimes, bareTimes;
    for (int i = 0; i < runs; ++i) {
        double a = TimeToFirstPicture(ours), b = TimeToFirstPicture(bare);
        if (a >= 0) oursTimes.push_back(a * 1000);
        if (b >= 0) bareTimes.push_back(b * 1000);
    }
    double mo = Median(oursTimes), mb = Median(bareTimes);
    std::printf("DVD navigator: open to the first decoded picture drawn, median of %d runs under Wine:\n", runs);
    std::printf("  our builder (navigator, libmpeg2, liba52)  %8.1f ms  (%zu of %d runs showed one)\n", mo,
                oursTimes.size(), runs);
    std::printf("  bare graph, VTS_01_1.VOB as a file         %8.1f ms  (%zu of %d)\n", mb, bareTimes.size(), runs);
    if (mo > 0 && mb > 0) std::printf("  ratio %.2f\n", mo / mb);

    std::printf("DVD navigator: %.0f s of 720 x 576 at 25 frames a second, one after the other:\n", seconds);
    PrintPlayback("our builder", PlayFor(ours, seconds));
    PrintPlayback("bare graph, VTS_01_1.VOB as a file", PlayFor(bare, seconds));
    ::CoUninitialize();
    return 0;
}
