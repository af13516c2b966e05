// The floor for the soak: a bare DirectShow program that builds the graph the player builds (the
// windowed Video Renderer first, then the file rendered into it), runs it briefly and releases it,
// CYCLES times, and writes its own figures before and after: soak_bare CLIP CYCLES OUTFILE
// The renderer matters: under Wine 8 each released Video Renderer keeps about 0.7 MB, against
// about 0.3 MB for the graph's default renderer, so only the same graph gives a fair floor.
#include <windows.h>
#include <dshow.h>
#include <psapi.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "GdiCount.h"

using Microsoft::WRL::ComPtr;

namespace {

BOOL CALLBACK CountOwn(HWND hwnd, LPARAM param) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == ::GetCurrentProcessId()) ++*reinterpret_cast<size_t*>(param);
    return TRUE;
}

size_t OwnWindows() {
    size_t count = 0;
    ::EnumWindows(CountOwn, reinterpret_cast<LPARAM>(&count));
    return count;
}

void Write(FILE* f) {
    DWORD handles = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &handles);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
    std::fprintf(f, "%zu %ld %lu %f ", OwnWindows(), fw::CountGdiObjects(), handles,
                 memory.PagefileUsage / (1024.0 * 1024.0));
}

void Pump(DWORD ms) {
    DWORD end = ::GetTickCount() + ms;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(5);
    }
}

bool Cycle(const std::wstring& clip) {
    ComPtr<IGraphBuilder> graph;
    if (FAILED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph))))
        return false;
    ComPtr<IBaseFilter> renderer;
    if (FAILED(::CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&renderer))) ||
        FAILED(graph->AddFilter(renderer.Get(), L"Video Renderer")))
        return false;
    if (FAILED(graph->RenderFile(clip.c_str(), nullptr))) return false;
    ComPtr<IMediaControl> control;
    if (FAILED(graph.As(&control)) || FAILED(control->Run())) return false;
    Pump(150);
    control->Stop();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    std::string narrow = argv[1];
    std::wstring clip(narrow.begin(), narrow.end());
    int cycles = std::atoi(argv[2]);
    FILE* out = std::fopen(argv[3], "w");
    if (!out || FAILED(::CoInitialize(nullptr))) return 1;
    Cycle(clip);
    Pump(500);
    int done = 0;
    FILE* tmp = std::tmpfile();
    Write(tmp ? tmp : out);
    for (; done < cycles && Cycle(clip); ++done) {
    }
    Pump(1000);
    std::fprintf(out, "%d ", done);
    if (tmp) {
        std::rewind(tmp);
        char line[256] = {};
        std::fgets(line, sizeof(line), tmp);
        std::fputs(line, out);
        std::fclose(tmp);
    }
    Write(out);
    std::fclose(out);
    ::CoUninitialize();
    return 0;
}
