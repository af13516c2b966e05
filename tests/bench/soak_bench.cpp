// Soak: opens and closes a clip CYCLES times (default 100) in the running player, then does the
// same in a bare DirectShow program (soak_bare.exe), and prints windows, GDI objects, kernel
// handles and memory before and after for both: soak_bench [CYCLES]
// A cycle whose video window does not come back is a stall: the soak stops there, says
// "stalled at cycle N" and what it found (whether the main window still answers, the player's
// windows and boxes, and where each of its threads waits).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Driver.h"
#include "Commands.h"
#include "GdiCount.h"
#include "Observe.h"

namespace {

constexpr WORD kRepeatList = IDC_BUTTON1_FILELIST_LOOP;
constexpr WORD kNext = ID_PLAYBACK_NEXTCHAPTER;

struct Figures {
    size_t windows = 0;
    long gdi = 0;
    DWORD handles = 0;
    double privateMb = 0;
};

size_t WindowsOf(DWORD pid) {
    size_t count = 0;
    for (HWND top : e2e::TopWindows(pid))
        count += 1 + e2e::Children(top).size();
    return count;
}

Figures Measure(DWORD pid, HWND main) {
    Figures f;
    f.windows = WindowsOf(pid);
    f.gdi = static_cast<long>(e2e::Send(main, fw::GdiCountMessage()).value_or(-1));
    fw::KernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (process) {
        ::GetProcessHandleCount(process.Get(), &f.handles);
        ::GetProcessMemoryInfo(process.Get(), &memory, sizeof(memory));
    }
    f.privateMb = memory.PagefileUsage / (1024.0 * 1024.0);
    return f;
}

void Print(const char* who, const Figures& before, const Figures& after) {
    std::printf("  %-16s windows %4zu -> %4zu   GDI objects %5ld -> %5ld   ", who, before.windows, after.windows,
                before.gdi, after.gdi);
    if (before.handles || after.handles)
        std::printf("handles %5lu -> %5lu   ", before.handles, after.handles);
    else
        std::printf("handles (not counted here)   ");  // Wine answers GetProcessHandleCount with 0
    std::printf("committed %7.1f -> %7.1f MB\n", before.privateMb, after.privateMb);
}

HWND VideoWindow(DWORD pid) {
    return e2e::FindTopWindow("VCDEventWindow", nullptr, pid);
}

bool Answers(HWND hwnd, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

// winedbg's "bt all" walks every process of the session; only the player's blocks are kept.
std::vector<std::string> PlayerBacktraces(DWORD pid) {
    std::vector<std::string> lines;
    char folder[MAX_PATH] = {}, path[MAX_PATH] = {}, system[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    ::GetTempFileNameA(folder, "bt", 0, path);
    ::GetSystemDirectoryA(system, MAX_PATH);
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    fw::FileHandle out(::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string exe = std::string(system) + "\\winedbg.exe";
    std::string commandLine = "\"" + exe + "\" --command \"bt all\" " + std::to_string(pid);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = out.Get();
    PROCESS_INFORMATION pi{};
    if (!out || !::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &si, &pi)) {
        lines.push_back("(winedbg could not be started)");
        return lines;
    }
    fw::KernelHandle process(pi.hProcess), thread(pi.hThread);
    if (::WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
    out.Reset();
    char tag[32];
    std::snprintf(tag, sizeof(tag), "in process %04lx ", static_cast<unsigned long>(pid));
    std::ifstream text(path);
    bool ours = false;
    for (std::string line; std::getline(text, line);) {
        if (line.rfind("Backtracing for thread", 0) == 0) ours = line.find(tag) != std::string::npos;
        if (ours) lines.push_back(line);
    }
    text.close();
    ::DeleteFileA(path);
    if (lines.empty()) lines.push_back("(winedbg gave no backtraces of the player)");
    return lines;
}

// What a stalled player shows: its windows, its boxes and each thread's stack (winedbg attaches,
// prints every thread's backtrace and detaches, leaving the process as it was).
void DescribeStall(int cycle, const e2e::Process& player, HWND main, const e2e::MessageBoxGuard& boxes) {
    std::printf("soak: stalled at cycle %d: the video window did not come back within 15 s\n", cycle);
    std::printf("  main window %s\n", Answers(main, 5000) ? "answers" : "does not answer within 5 s");
    for (HWND top : e2e::TopWindows(player.Id()))
        std::printf("  window \"%s\" class %s%s\n", e2e::WindowText(top).c_str(), e2e::ClassName(top).c_str(),
                    e2e::IsShown(top) ? " (shown)" : "");
    for (const e2e::MessageBoxInfo& box : boxes.Seen())
        std::printf("  message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
    std::printf("  threads of the player:\n");
    for (const std::string& line : PlayerBacktraces(player.Id())) std::printf("    %s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    int cycles = argc > 1 ? std::atoi(argv[1]) : 100;
    std::string clip = e2e::MediaDirectory() + "clip_short.avi";
    e2e::DeleteRegTree(HKEY_CURRENT_USER, e2e::kPlayerKey);
    e2e::Process player = e2e::Process::Start(e2e::PlayerPath(), {clip});
    e2e::MessageBoxGuard boxes(player.Id());
    HWND main = e2e::WaitForWindow("#32770", "TesmaroPlayer", player.Id(), 20000);
    if (!main || !e2e::WaitUntil([&] { return VideoWindow(player.Id()) != nullptr; }, 20000)) {
        std::printf("soak: the player did not open %s\n", clip.c_str());
        return 1;
    }
    e2e::PostCommand(main, kRepeatList);  // Next at the one entry opens it again
    e2e::Flush(main);
    // Each Next closes the open clip and opens it afresh: one close and one open per cycle.
    auto cycle = [&] {
        HWND old = VideoWindow(player.Id());
        e2e::PostCommand(main, kNext);
        return e2e::WaitUntil([&] { HWND now = VideoWindow(player.Id()); return now && now != old && !::IsWindow(old); },
                              15000, 10);
    };
    cycle();  // the first reopen settles what the engine keeps for good
    e2e::Flush(main);
    Figures before = Measure(player.Id(), main);
    int done = 0;
    for (; done < cycles && cycle(); ++done) {
    }
    if (done < cycles) {
        DescribeStall(done + 1, player, main, boxes);
        player.Kill();
        return 2;
    }
    e2e::Flush(main);
    Figures after = Measure(player.Id(), main);
    e2e::Post(main, WM_CLOSE);
    if (!player.WaitExit(15000)) player.Kill();

    std::printf("soak: %d open/close cycles of %s\n", done, clip.c_str());
    Print("tesmaro_player", before, after);
    if (!boxes.Seen().empty()) std::printf("  (the player showed %zu message boxes)\n", boxes.Seen().size());

    // The same cycles in a program that only builds and releases a graph.
    std::string out = e2e::MakeTempDirectory("soakbare") + "figures.txt";
    e2e::Process bare = e2e::Process::Start(e2e::ExeDirectory() + "soak_bare.exe",
                                            {clip, std::to_string(cycles), out});
    if (!bare.WaitExit(600000)) bare.Kill();
    FILE* f = std::fopen(out.c_str(), "r");
    Figures b0, b1;
    int bareDone = 0;
    if (f && std::fscanf(f, "%d %zu %ld %lu %lf %zu %ld %lu %lf", &bareDone, &b0.windows, &b0.gdi, &b0.handles,
                         &b0.privateMb, &b1.windows, &b1.gdi, &b1.handles, &b1.privateMb) == 9) {
        std::printf("soak: %d cycles in the bare DirectShow program\n", bareDone);
        Print("soak_bare", b0, b1);
    } else {
        std::printf("soak: the bare DirectShow program gave no figures\n");
    }
    if (f) std::fclose(f);
    return done == cycles ? 0 : 1;
}
