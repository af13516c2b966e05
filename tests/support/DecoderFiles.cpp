#include "DecoderFiles.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "Driver.h"

namespace decodertest {

namespace {

constexpr char kProbeKey[] = "Software\\TesmaroTest";
constexpr char kMarksKey[] = "Software\\TesmaroTest\\Decoders";

}  // namespace

std::string SystemDirectory() {
    char path[MAX_PATH] = {};
    ::GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

DecoderFiles::DecoderFiles(const std::vector<std::string>& names) {
    e2e::DeleteRegTree(HKEY_CURRENT_USER, kProbeKey);
    mLogPath = e2e::MakeTempDirectory("decoders") + "registrar.log";
    e2e::WriteRegString(HKEY_CURRENT_USER, kProbeKey, "Log", mLogPath);
    std::string probe = e2e::ExeDirectory() + "registrar_probe.dll";
    for (const std::string& name : names) {
        std::string target = SystemDirectory() + "\\" + name;
        if (::CopyFileA(probe.c_str(), target.c_str(), FALSE)) mCopied.push_back(target);
    }
}

DecoderFiles::~DecoderFiles() {
    // A registrar still running keeps its file open for a moment.
    for (const std::string& file : mCopied)
        e2e::WaitUntil(
            [&] { return ::DeleteFileA(file.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND; }, 5000);
    e2e::DeleteRegTree(HKEY_CURRENT_USER, kProbeKey);
    ::DeleteFileA(mLogPath.c_str());
}

bool DecoderFiles::Registered(const std::string& name) {
    return e2e::ReadRegDword(HKEY_CURRENT_USER, kMarksKey, name).has_value();
}

void DecoderFiles::MarkRegistered(const std::string& name) {
    e2e::WriteRegDword(HKEY_CURRENT_USER, kMarksKey, name, 1);
}

std::vector<RegistrarCall> DecoderFiles::Calls() const {
    std::vector<RegistrarCall> calls;
    std::ifstream log(mLogPath);
    for (std::string line; std::getline(log, line);) {
        std::istringstream fields(line);
        RegistrarCall call;
        if (fields >> call.startedAt >> call.file >> call.action) calls.push_back(call);
    }
    std::stable_sort(calls.begin(), calls.end(), [](const RegistrarCall& a, const RegistrarCall& b) {
        return a.startedAt < b.startedAt;
    });
    return calls;
}

bool DecoderFiles::WaitForCalls(size_t count, DWORD timeoutMs) const {
    return e2e::WaitUntil([&] { return Calls().size() >= count; }, timeoutMs, 100);
}

}  // namespace decodertest
