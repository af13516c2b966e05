#include "StartsMadeTogether.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

#include "ProcessTime.h"

namespace {

const char* BaseName(const char* path) {
    const char* slash = std::strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

}  // namespace

void StartsMadeTogether::Take() {
    mOwnStartMs = fw::MillisecondsRunning(::GetCurrentProcess());
    mStarts.clear();
    char ours[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, ours, MAX_PATH);
    fw::FileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    DWORD self = ::GetCurrentProcessId();
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == self || ::lstrcmpiA(BaseName(entry.szExeFile), BaseName(ours)) != 0) continue;
        fw::KernelHandle process(
            ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        if (process) mStarts.push_back(std::move(process));
    }
}

bool StartsMadeTogether::Sent(LONG sinceOurs, DWORD sentAt) const {
    LONG ownStart = static_cast<LONG>(std::min<DWORD>(mOwnStartMs, kLongestMs));
    if (sinceOurs < kMomentMs + ownStart) return true;
    return sinceOurs < kLongestMs && RanShortlyBefore(sentAt, kMomentMs);
}

bool StartsMadeTogether::RanShortlyBefore(DWORD tick, DWORD graceMs) const {
    // Exit times are wall-clock times, message times tick counts: both become "how long ago".
    LONG tickAgo = static_cast<LONG>(::GetTickCount() - tick);
    for (const fw::KernelHandle& start : mStarts) {
        if (::WaitForSingleObject(start.Get(), 0) == WAIT_TIMEOUT) return true;
        FILETIME created, exited, kernel, user;
        if (!::GetProcessTimes(start.Get(), &created, &exited, &kernel, &user)) continue;
        if (static_cast<LONG>(fw::MillisecondsSince(exited)) < tickAgo + static_cast<LONG>(graceMs)) return true;
    }
    return false;
}
