// Time from the open command to the first time event of the navigator double's graph: in the
// player (a disc handed to the running player, until its time field first moves) and in a
// minimal program that builds the same graph and runs it, measured in the same run:
// dvd_bench [RUNS]
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <dvdevcod.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Commands.h"

// The toolchain's control.h gives the event interface no identifier for ComPtr::As.
__CRT_UUID_DECL(IMediaEventEx, 0x56a868c0, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
#include "Driver.h"
#include "Messages.h"
#include "NavigatorFixture.h"

using Microsoft::WRL::ComPtr;

namespace {

double Millis(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    return (to.QuadPart - from.QuadPart) * 1000.0 / freq.QuadPart;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The least a program needs: the builder, the volume, time events on, run, wait for the event.
double TimeMinimalGraph(const std::wstring& ifo) {
    LARGE_INTEGER start, first;
    ::QueryPerformanceCounter(&start);
    ComPtr<IDvdGraphBuilder> builder;
    if (FAILED(::CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                                  reinterpret_cast<void**>(builder.GetAddressOf()))))
        return -1;
    AM_DVD_RENDERSTATUS status{};
    if (FAILED(builder->RenderDvdVideoVolume(ifo.c_str(), AM_DVD_HWDEC_PREFER, &status))) return -1;
    ComPtr<IDvdControl2> control;
    ComPtr<IGraphBuilder> graph;
    builder->GetDvdInterface(IID_IDvdControl2, reinterpret_cast<void**>(control.GetAddressOf()));
    builder->GetFiltergraph(graph.GetAddressOf());
    ComPtr<IMediaControl> media;
    ComPtr<IMediaEventEx> events;
    if (!control || !graph) return -1;
    if (FAILED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(media.GetAddressOf()))) ||
        FAILED(graph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(events.GetAddressOf()))))
        return -1;
    control->SetOption(DVD_HMSF_TimeCodeEvents, TRUE);
    media->Run();
    double result = -1;
    for (DWORD waited = 0; waited < 15000 && result < 0;) {
        long code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        if (SUCCEEDED(events->GetEvent(&code, &p1, &p2, 50))) {
            events->FreeEventParams(code, p1, p2);
            if (code == EC_DVD_CURRENT_HMSF_TIME && ((p1 >> 16) & 0xFF) != 0) {
                ::QueryPerformanceCounter(&first);
                result = Millis(start, first);
            }
        } else {
            waited += 50;
        }
    }
    media->Stop();
    return result;
}

// Seconds of the position half of the player's "hh:mm:ss     hh:mm:ss" field, or -1.
int PositionSeconds(HWND window) {
    for (HWND child : e2e::Children(window)) {
        std::string t = e2e::WindowText(child);
        if (t.size() == 21 && t.substr(8, 5) == "     ")
            return std::atoi(t.substr(0, 2).c_str()) * 3600 + std::atoi(t.substr(3, 2).c_str()) * 60 +
                   std::atoi(t.substr(6, 2).c_str());
    }
    return -1;
}

// The disc handed over as a second instance would, until the player's time first moves.
double TimePlayerOpen(HWND player, const std::string& ifo) {
    LARGE_INTEGER start, first;
    ::QueryPerformanceCounter(&start);
    ATOM atom = ::GlobalAddAtomA(ifo.c_str());
    e2e::Post(player, WM_FORWARDFILE, 0, atom);
    if (!e2e::WaitUntil([&] { return PositionSeconds(player) > 0; }, 15000, 1)) return -1;
    ::QueryPerformanceCounter(&first);
    return Millis(start, first);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    ::CoInitialize(nullptr);
    dvdnav::NavigatorFixture nav;
    if (!nav.Registered()) {
        std::printf("dvd_bench: the navigator double could not be registered\n");
        return 1;
    }
    nav.WriteScript("");
    std::string ifo = dvdnav::NavigatorFixture::DiscIfoPath();
    std::wstring wideIfo(ifo.begin(), ifo.end());

    e2e::DeleteRegTree(HKEY_CURRENT_USER, e2e::kPlayerKey);
    e2e::Process process = e2e::Process::Start(e2e::PlayerPath());
    HWND player = e2e::WaitForWindow("#32770", "TesmaroPlayer", process.Id(), 20000);
    if (!player) {
        std::printf("dvd_bench: the player did not start\n");
        return 1;
    }
    std::vector<double> inPlayer, minimal;
    TimeMinimalGraph(wideIfo);  // warm the caches
    for (int i = 0; i < runs; ++i) {
        minimal.push_back(TimeMinimalGraph(wideIfo));
        inPlayer.push_back(TimePlayerOpen(player, ifo));
        e2e::PostCommand(player, ID_FILE_CLOSE);
        e2e::WaitUntil([&] { return PositionSeconds(player) <= 0; }, 10000);
    }
    e2e::Post(player, WM_CLOSE);
    if (!process.WaitExit(15000)) process.Kill();
    std::printf("DVD open command to first time event, median of %d runs under Wine:\n", runs);
    std::printf("  tesmaro_player.exe      %8.1f ms\n", Median(inPlayer));
    std::printf("  minimal graph program   %8.1f ms\n", Median(minimal));
    ::CoUninitialize();
    return 0;
}
