// Registering and unregistering the MPEG decoder filters with the system's registrar.
#include "Decoders.h"

#include <windows.h>

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

bool RunHidden(const char* commandLine) {
    std::string command(commandLine);  // CreateProcessA may write into its command line
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    BOOL started = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, HIGH_PRIORITY_CLASS,
                                    nullptr, nullptr, &startup, &process);
    if (!started) return false;
    // The registrar runs on by itself; its result is never read.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

bool RunRegistrar(const char* decoderFile, const char* switches) {
    std::string directory;
    if (!SystemDirectory(directory)) return false;
    std::string decoder = directory + decoderFile;
    if (decoder.size() >= MAX_PATH || !fw::FileExists(decoder.c_str())) return false;
    return RunHidden(RegistrarCommandLine(directory, decoderFile, switches).c_str());
}

void PrepareDvdDecoderFiles() {
    RunRegistrar(kSecondaryDecoderFile, kUnregisterSwitches);
    RunRegistrar(kAudioDecoderFile, kRegisterSwitches);
    ::Sleep(kDvdDecoderWaitMs);
}

void ReleaseDvdDecoderFiles() {
    RunRegistrar(kAudioDecoderFile, kUnregisterSwitches);
}

int FilePlayer::RegisterDecoders(const char* path) {
    if (!path || !IsMpegFile(path)) return 0;
    RunRegistrar(kVideoDecoderFile, kRegisterSwitches);
    RunRegistrar(kSecondaryDecoderFile, kUnregisterSwitches);
    RunRegistrar(kAudioDecoderFile, kRegisterSwitches);
    ::Sleep(kMpegDecoderWaitMs);
    return 1;
}

int FilePlayer::UnregisterDecoders(const char* path) {
    if (!path || !IsMpegFile(path)) return 0;
    // The secondary decoder stays off.
    RunRegistrar(kVideoDecoderFile, kUnregisterSwitches);
    RunRegistrar(kAudioDecoderFile, kUnregisterSwitches);
    return 1;
}
