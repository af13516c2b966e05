// "Vistrane.exe": the name under which the association restore tool points its own file types.
// It starts the player beside it with the same arguments, so those types open in the one player
// with its one profile (a renamed copy of the player would keep a second profile under its own
// name and take the file types over a second time on its first start).
#include <windows.h>

#include <string>

#include "App.h"
#include "Handles.h"
#include "LaunchCommand.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    std::string directory = fw::ModuleDirectory(nullptr);
    std::string line = launcher::PlayerCommandLine(directory, launcher::ArgumentsTail(::GetCommandLineA()));

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::string text = "Can not start " + directory + launcher::kPlayerFileName;
        ::MessageBoxA(nullptr, text.c_str(), "Error", MB_OK | MB_ICONERROR);
        return 1;
    }
    fw::KernelHandle thread(process.hThread);
    fw::KernelHandle player(process.hProcess);
    return 0;
}
