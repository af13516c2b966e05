// Time from process start to its main window being shown, and to that window and its controls
// being painted, for the player and for a minimal Win32 program, measured in the same run:
// startup_bench [RUNS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Driver.h"

namespace {

double Millis(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    return (to.QuadPart - from.QuadPart) * 1000.0 / freq.QuadPart;
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found) {
    if (!::IsWindowVisible(child) || !::GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// Nothing of the window or its visible controls waits to be painted.
bool Painted(HWND hwnd) {
    if (::GetUpdateRect(hwnd, nullptr, FALSE)) return false;
    bool unpainted = false;
    ::EnumChildWindows(hwnd, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

struct Start {
    double shown = -1;    // a visible window of the class and title exists
    double painted = -1;  // and nothing of it waits to be painted
};

// One start, timed from just before the process is made; the program is then closed.
Start TimeOneStart(const std::string& exe, const char* cls, const char* title) {
    Start start;
    LARGE_INTEGER began, now;
    ::QueryPerformanceCounter(&began);
    e2e::Process p = e2e::Process::Launch(exe);
    // Every look is a round trip to the window server, which the starting program waits for as
    // well: the window is searched for until it exists, then only its visibility is asked.
    HWND hwnd = nullptr;
    while (!hwnd || !e2e::IsShown(hwnd)) {
        if (!p.Running()) return start;
        if (!hwnd) hwnd = e2e::FindTopWindow(cls, title, p.Id());
        if (!hwnd || !e2e::IsShown(hwnd)) ::Sleep(1);
    }
    ::QueryPerformanceCounter(&now);
    start.shown = Millis(began, now);
    while (!Painted(hwnd) && p.Running())
        ::Sleep(1);
    ::QueryPerformanceCounter(&now);
    start.painted = Millis(began, now);
    e2e::Post(hwnd, WM_CLOSE);
    if (!p.WaitExit(10000)) p.Kill();
    return start;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void Print(const char* what, const std::vector<double>& player, const std::vector<double>& minimal) {
    double floor = Median(minimal);
    std::printf("  %-10s tesmaro_player.exe %7.1f ms   minimal_window.exe %7.1f ms   ratio %5.2fx\n", what,
                Median(player), floor, floor > 0 ? Median(player) / floor : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    std::string dir = e2e::ExeDirectory();
    std::vector<double> playerShown, playerPainted, minimalShown, minimalPainted;
    TimeOneStart(dir + "minimal_window.exe", "TesmaroMinimalWindow", "Minimal");  // warm the caches
    TimeOneStart(dir + "tesmaro_player.exe", "#32770", "TesmaroPlayer");
    for (int i = 0; i < runs; ++i) {
        Start minimal = TimeOneStart(dir + "minimal_window.exe", "TesmaroMinimalWindow", "Minimal");
        Start player = TimeOneStart(dir + "tesmaro_player.exe", "#32770", "TesmaroPlayer");
        minimalShown.push_back(minimal.shown);
        minimalPainted.push_back(minimal.painted);
        playerShown.push_back(player.shown);
        playerPainted.push_back(player.painted);
    }
    std::printf("start-up under Wine, median of %d runs (goal: the player shown within 1.50x):\n", runs);
    Print("shown", playerShown, minimalShown);
    Print("painted", playerPainted, minimalPainted);
    return 0;
}
