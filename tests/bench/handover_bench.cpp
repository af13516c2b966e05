// Hand-overs into the running player with its playlist window open: 2000 paths handed over in
// one burst, as that many second starts would hand them, until the window lists them all; next
// to the same 2000 paths read from one playlist file handed over once, the player's own direct
// append, in the same run: handover_bench [RUNS] [PATHS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Commands.h"
#include "Driver.h"
#include "Messages.h"

namespace {

constexpr int kPlaylistList = 1043;  // the playlist window's list

double Millis(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    return (to.QuadPart - from.QuadPart) * 1000.0 / freq.QuadPart;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

void HandOver(HWND player, const std::string& path) {
    e2e::Post(player, WM_FORWARDFILE, 0, ::GlobalAddAtomA(path.c_str()));
}

// The time from the first hand-over until the list shows `count` rows; -1 when it never does.
template <typename Send>
double TimeUntilListed(HWND list, int count, Send send, double* sending = nullptr) {
    LARGE_INTEGER start, sent, done;
    ::QueryPerformanceCounter(&start);
    send();
    ::QueryPerformanceCounter(&sent);
    if (sending) *sending = Millis(start, sent);
    if (!e2e::WaitUntil([&] { return e2e::ListViewCount(list) == count; }, 120000, 5)) return -1;
    ::QueryPerformanceCounter(&done);
    return Millis(start, done);
}

// The platform's own floor: the same hand-overs into a bare window on another thread that only
// takes each path out of its atom, from the first post until the last is taken.
struct Floor {
    HWND window = nullptr;
    int wanted = 0;
    int taken = 0;
    HANDLE ready = nullptr;
    HANDLE done = nullptr;
};

Floor* gFloor = nullptr;  // the one bare window's figures

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_FORWARDFILE) {
        Floor* floor = gFloor;
        char path[MAX_PATH];
        ::GlobalGetAtomNameA(static_cast<ATOM>(lParam), path, MAX_PATH);
        ::GlobalDeleteAtom(static_cast<ATOM>(lParam));
        if (++floor->taken == floor->wanted) ::SetEvent(floor->done);
        return 0;
    }
    if (msg == WM_CLOSE) {
        ::DestroyWindow(hwnd);
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

DWORD WINAPI FloorThread(void* param) {
    auto* floor = static_cast<Floor*>(param);
    WNDCLASSA wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "HandOverFloor";
    ::RegisterClassA(&wc);
    floor->window = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      wc.hInstance, nullptr);
    ::SetEvent(floor->ready);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}

double BareHandOvers(const std::vector<std::string>& paths) {
    Floor floor;
    floor.wanted = static_cast<int>(paths.size());
    fw::KernelHandle ready(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    fw::KernelHandle done(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    floor.ready = ready.Get();
    floor.done = done.Get();
    gFloor = &floor;
    fw::KernelHandle thread(::CreateThread(nullptr, 0, FloorThread, &floor, 0, nullptr));
    ::WaitForSingleObject(floor.ready, 10000);
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    for (const std::string& p : paths)
        HandOver(floor.window, p);
    bool all = ::WaitForSingleObject(floor.done, 60000) == WAIT_OBJECT_0;
    ::QueryPerformanceCounter(&end);
    ::PostMessageA(floor.window, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(thread.Get(), 10000);
    return all ? Millis(start, end) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    int count = argc > 2 ? std::atoi(argv[2]) : 2000;
    // The first path is a real clip, which the hand-over that starts the list opens; the others
    // are only listed.
    std::vector<std::string> paths = {e2e::MediaDirectory() + "clip_long.avi"};
    for (int i = 1; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof(name), "C:\\handover bench\\clip %04d.avi", i);
        paths.push_back(name);
    }
    std::string folder = e2e::MakeTempDirectory("handover_bench");
    std::string m3u = folder + "\\handover.m3u";
    if (FILE* f = std::fopen(m3u.c_str(), "w")) {
        for (const std::string& p : paths)
            std::fprintf(f, "%s\n", p.c_str());
        std::fclose(f);
    }

    e2e::DeleteRegTree(HKEY_CURRENT_USER, e2e::kPlayerKey);
    e2e::Process process = e2e::Process::Start(e2e::PlayerPath());
    HWND player = e2e::WaitForWindow("#32770", "TesmaroPlayer", process.Id(), 20000);
    HWND playlist = e2e::WaitForWindow("#32770", "Playlist", process.Id(), 10000);
    if (!player || !playlist) {
        std::printf("handover_bench: the player did not start\n");
        return 1;
    }
    e2e::PostCommand(player, ID_OPEN_PLAYLIST);
    e2e::WaitUntil([&] { return e2e::IsShown(playlist); }, 5000);
    HWND list = ::GetDlgItem(playlist, kPlaylistList);

    std::vector<double> burst, direct, sending, bare;
    for (int run = 0; run < runs; ++run) {
        // A burst joins the list only within its window after the last hand-over; a fresh
        // burst starts over, so each run waits that out with the list closed.
        e2e::PostCommand(player, IDC_BUTTON_CLOSE_PLAYLIST);
        e2e::WaitUntil([&] { return e2e::ListViewCount(list) == 0; }, 10000);
        e2e::Pause(3500);
        double sent = 0;
        burst.push_back(TimeUntilListed(
            list, count,
            [&] {
                for (const std::string& p : paths)
                    HandOver(player, p);
            },
            &sent));
        sending.push_back(sent);
        e2e::PostCommand(player, IDC_BUTTON_CLOSE_PLAYLIST);
        e2e::WaitUntil([&] { return e2e::ListViewCount(list) == 0; }, 10000);
        e2e::Pause(3500);
        direct.push_back(TimeUntilListed(list, count, [&] { HandOver(player, m3u); }));
        bare.push_back(BareHandOvers(paths));
    }
    e2e::Post(player, WM_CLOSE);
    if (!process.WaitExit(15000)) process.Kill();
    double b = Median(burst), d = Median(direct);
    std::printf("Hand-over of %d paths into the player with its playlist window open, median of %d runs:\n",
                count, runs);
    std::printf("  %d hand-overs in one burst        %8.1f ms (%.1f ms of it to send them)\n", count, b,
                Median(sending));
    std::printf("  one playlist file of the same     %8.1f ms (the direct append)\n", d);
    double f = Median(bare);
    std::printf("  the same hand-overs into a bare window %8.1f ms (the platform's floor)\n", f);
    if (b > 0 && d > 0) std::printf("  ratio to the direct append %.2f (goal: at most 3)\n", b / d);
    if (b > 0 && f > 0) std::printf("  ratio to the bare window %.2f\n", b / f);
    return 0;
}
