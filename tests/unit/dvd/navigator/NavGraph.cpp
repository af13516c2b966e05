#include "NavGraph.h"

#include <cstring>

#include "DvdTime.h"
#include "OwnDvdGraphBuilder.h"

namespace navtest {

std::string DiscRoot() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    size_t slash = dir.find_last_of('\\');
    return (slash == std::string::npos ? std::string(".") : dir.substr(0, slash)) + "\\media\\navigator\\";
}

std::wstring DiscIfo(const std::string& name) {
    std::string path = DiscRoot() + name + "\\VIDEO_TS\\VIDEO_TS.IFO";
    return std::wstring(path.begin(), path.end());
}

// Solid colours as MPEG-2 and the conversion give them back: one channel high, the others low.
bool IsRed(Colour c) {
    return c.r > 180 && c.g < 80 && c.b < 80;
}
bool IsGreen(Colour c) {
    return c.g > 90 && c.r < 80 && c.b < 80;
}
bool IsBlue(Colour c) {
    return c.b > 180 && c.r < 80 && c.g < 80;
}

NavGraph::NavGraph(const std::wstring& path) : volume(path) {
    if (FAILED(CreateOwnDvdGraphBuilder(builder.GetAddressOf()))) return;
    rendered = builder->RenderDvdVideoVolume(volume.empty() ? nullptr : volume.c_str(), AM_DVD_HWDEC_PREFER,
                                             &status);
}

NavGraph::~NavGraph() {
    if (media) media->Stop();
    if (events) events->SetNotifyWindow(0, 0, 0);
    if (window) window->put_Visible(OAFALSE);
}

bool NavGraph::Prepare() {
    if (FAILED(rendered)) return false;
    if (FAILED(builder->GetDvdInterface(IID_IDvdInfo2, reinterpret_cast<void**>(info.GetAddressOf()))))
        return false;
    if (FAILED(builder->GetDvdInterface(IID_IDvdControl2, reinterpret_cast<void**>(control.GetAddressOf()))))
        return false;
    if (FAILED(builder->GetFiltergraph(graph.GetAddressOf()))) return false;
    if (FAILED(Query(graph.Get(), IID_IMediaControl, media))) return false;
    if (FAILED(Query(graph.Get(), IID_IMediaEventEx, events))) return false;
    if (FAILED(builder->GetDvdInterface(IID_IVideoWindow, reinterpret_cast<void**>(window.GetAddressOf()))))
        return false;
    if (FAILED(Query(graph.Get(), IID_IBasicVideo, video))) return false;
    if (FAILED(Query(graph.Get(), IID_IBasicAudio, audio))) return false;
    if (FAILED(control->SetOption(DVD_ResetOnStop, FALSE))) return false;
    if (FAILED(control->SetOption(DVD_NotifyParentalLevelChange, TRUE))) return false;
    if (FAILED(control->SetOption(DVD_HMSF_TimeCodeEvents, TRUE))) return false;
    if (FAILED(control->Stop())) return false;
    return SUCCEEDED(control->SetDVDDirectory(volume.c_str()));
}

HRESULT NavGraph::Play() {
    HRESULT hr = media->Run();
    control->PlayForwards(1.0, DVD_CMD_FLAG_None, nullptr);
    return hr;
}

void NavGraph::StopAndReset() {
    media->Pause();
    control->SetOption(DVD_ResetOnStop, TRUE);
    media->Stop();
    control->SetOption(DVD_ResetOnStop, FALSE);
}

void NavGraph::Pump(DWORD ms) {
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        Drain();
        if (ms) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - start < ms);
}

void NavGraph::Drain() {
    if (!events) return;
    long code;
    LONG_PTR p1, p2;
    while (SUCCEEDED(events->GetEvent(&code, &p1, &p2, 0))) {
        seen.push_back(Event{code, p1, p2});
        if (code == EC_DVD_CURRENT_HMSF_TIME) {
            navigator::Hmsf t = navigator::UnpackHmsf(static_cast<uint32_t>(p1));
            mLastTimeMs = navigator::HmsfToMs(t, 25);
        }
        events->FreeEventParams(code, p1, p2);
    }
}

bool NavGraph::WaitFor(long code, const std::function<bool(const Event&)>& match, DWORD timeoutMs,
                       Event* found) {
    size_t from = mMark;
    DWORD start = ::GetTickCount();
    for (;;) {
        Pump(0);
        for (size_t i = from; i < seen.size(); ++i) {
            if (seen[i].code == code && (!match || match(seen[i]))) {
                if (found) *found = seen[i];
                mMark = i + 1;
                return true;
            }
        }
        from = seen.size();
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool NavGraph::WaitForTime(int64_t ms, DWORD timeoutMs) {
    if (mLastTimeMs >= ms) return true;
    return WaitFor(
        EC_DVD_CURRENT_HMSF_TIME,
        [ms](const Event& e) {
            return navigator::HmsfToMs(navigator::UnpackHmsf(static_cast<uint32_t>(e.p1)), 25) >= ms;
        },
        timeoutMs);
}

bool NavGraph::ShownColour(Colour& colour, int x, int y) {
    OAFilterState state = State_Stopped;
    media->GetState(0, &state);
    bool wasRunning = state == State_Running;
    if (wasRunning) media->Pause();
    long width = 0, height = 0;
    bool ok = false;
    if (SUCCEEDED(video->GetVideoSize(&width, &height)) && width > 0 && height > 0) {
        // Wine's renderer wants a buffer at once rather than telling the size first, and has an
        // image only once a sample waits in it while paused.
        long bytes = static_cast<long>(sizeof(BITMAPINFOHEADER) + 1024 + width * height * 4);
        std::vector<long> buffer(static_cast<size_t>(bytes) / sizeof(long) + 1);
        DWORD start = ::GetTickCount();
        HRESULT got;
        do {
            long size = bytes;
            got = video->GetCurrentImage(&size, buffer.data());
            if (FAILED(got)) Pump(20);
        } while (FAILED(got) && ::GetTickCount() - start < 5000);
        if (SUCCEEDED(got)) {
            const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(buffer.data());
            const auto* bits = reinterpret_cast<const uint8_t*>(buffer.data()) + header->biSize;
            long rows = header->biHeight < 0 ? -header->biHeight : header->biHeight;
            int row = header->biHeight > 0 ? static_cast<int>(rows) - 1 - y : y;
            if (header->biBitCount == 32 && x < header->biWidth && y < rows) {
                const uint8_t* p = bits + (static_cast<size_t>(row) * header->biWidth + x) * 4;
                colour = Colour{p[2], p[1], p[0]};
                ok = true;
            }
        }
    }
    if (wasRunning) media->Run();
    return ok;
}

}  // namespace navtest
