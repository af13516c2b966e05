// Time from process start to its main window being shown, for the player and for a minimal
// Win32 program, measured in the same run: startup_bench [RUNS]
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

// One start: the time until a visible window of the class and title exists; the program is then closed.
double TimeOneStart(const std::string& exe, const char* cls, const char* title) {
    LARGE_INTEGER start, shown;
    ::QueryPerformanceCounter(&start);
    e2e::Process p = e2e::Process::Start(exe);
    HWND hwnd = nullptr;
    while (!(hwnd = e2e::FindTopWindow(cls, title, p.Id())) || !e2e::IsShown(hwnd)) {
        if (!p.Running()) return -1;
        ::Sleep(1);
    }
    ::QueryPerformanceCounter(&shown);
    e2e::Post(hwnd, WM_CLOSE);
    if (!p.WaitExit(10000)) p.Kill();
    return Millis(start, shown);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    std::string dir = e2e::ExeDirectory();
    std::vector<double> player, minimal;
    TimeOneStart(dir + "minimal_window.exe", "TesmaroMinimalWindow", "Minimal");  // warm the caches
    for (int i = 0; i < runs; ++i) {
        minimal.push_back(TimeOneStart(dir + "minimal_window.exe", "TesmaroMinimalWindow", "Minimal"));
        player.push_back(TimeOneStart(dir + "tesmaro_player.exe", "#32770", "TesmaroPlayer"));
    }
    std::printf("start-up to window shown, median of %d runs under Wine:\n", runs);
    std::printf("  tesmaro_player.exe   %8.1f ms\n", Median(player));
    std::printf("  minimal_window.exe   %8.1f ms\n", Median(minimal));
    double floor = Median(minimal);
    std::printf("  ratio                %8.2fx (goal: at most 1.50x)\n", floor > 0 ? Median(player) / floor : 0.0);
    return 0;
}
