// Registering and unregistering the MPEG decoder filters with the system's registrar.
#include "Decoders.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "FilePlayer.h"
#include "FileSystem.h"
#include "Handles.h"
#include "PlaybackMath.h"

namespace {

bool SystemDirectory(std::string& directory) {
    char path[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    directory.assign(path, length);
    return true;
}

}  // namespace

std::string RegistrarCommandLine(const std::string& systemDirectory, const char* decoderFile,
                                 const char* switches) {
    return systemDirectory + "\\regsvr32.exe" + switches + systemDirectory + decoderFile;
}

namespace {

// The registrar takes well under a second; a run that has not ended by then (a decoder that
// asks something of a user nobody sees) no longer holds the graph back.
constexpr DWORD kRegistrarWaitLimitMs = 10000;

// Starts commandLine at high priority without a window of its own; the process, or nothing.
fw::KernelHandle StartHidden(const char* commandLine) {
    std::string command(commandLine);  // CreateProcessA may write into its command line
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, HIGH_PRIORITY_CLASS, nullptr,
                          nullptr, &startup, &process))
        return {};
    fw::KernelHandle thread(process.hThread);
    return fw::KernelHandle(process.hProcess);
}

// The registrar on decoderFile with switches when that file is in the system directory.
fw::KernelHandle StartRegistrar(const char* decoderFile, const char* switches) {
    std::string directory;
    if (!SystemDirectory(directory)) return {};
    std::string decoder = directory + decoderFile;
    if (decoder.size() >= MAX_PATH || !fw::FileExists(decoder.c_str())) return {};
    return StartHidden(RegistrarCommandLine(directory, decoderFile, switches).c_str());
}

struct DecoderSwitch {
    const char* file;
    const char* switches;
};

// Switches the decoders that are present, all at once. A graph built next must find them
// switched, so each run is waited for; after a graph nothing waits for them.
void SwitchDecoders(std::initializer_list<DecoderSwitch> decoders, bool waitForThem) {
    std::vector<fw::KernelHandle> runs;
    for (const DecoderSwitch& decoder : decoders) {
        if (fw::KernelHandle run = StartRegistrar(decoder.file, decoder.switches))
            runs.push_back(std::move(run));
    }
    if (!waitForThem || runs.empty()) return;
    std::vector<HANDLE> processes;
    for (const fw::KernelHandle& run : runs)
        processes.push_back(run.Get());
    ::WaitForMultipleObjects(static_cast<DWORD>(processes.size()), processes.data(), TRUE,
                             kRegistrarWaitLimitMs);
}

}  // namespace

bool RunHidden(const char* commandLine) {
    return static_cast<bool>(StartHidden(commandLine));
}

void PrepareDvdDecoderFiles() {
    SwitchDecoders({{kSecondaryDecoderFile, kUnregisterSwitches}, {kAudioDecoderFile, kRegisterSwitches}},
                   true);
}

void ReleaseDvdDecoderFiles() {
    SwitchDecoders({{kAudioDecoderFile, kUnregisterSwitches}}, false);
}

int FilePlayer::RegisterDecoders(const char* path) {
    if (!path || !IsMpegFile(path)) return 0;
    SwitchDecoders({{kVideoDecoderFile, kRegisterSwitches},
                    {kSecondaryDecoderFile, kUnregisterSwitches},
                    {kAudioDecoderFile, kRegisterSwitches}},
                   true);
    return 1;
}

int FilePlayer::UnregisterDecoders(const char* path) {
    if (!path || !IsMpegFile(path)) return 0;
    // The secondary decoder stays off.
    SwitchDecoders({{kVideoDecoderFile, kUnregisterSwitches}, {kAudioDecoderFile, kUnregisterSwitches}},
                   false);
    return 1;
}
