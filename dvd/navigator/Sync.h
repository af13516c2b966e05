// The small synchronisation owners the navigator's threads share: a critical section with a
// scoped guard, and an event handle.
#pragma once

#include <windows.h>

namespace navigator {

class CriticalSection {
public:
    CriticalSection() { ::InitializeCriticalSection(&mSection); }
    ~CriticalSection() { ::DeleteCriticalSection(&mSection); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    void Enter() { ::EnterCriticalSection(&mSection); }
    void Leave() { ::LeaveCriticalSection(&mSection); }

private:
    CRITICAL_SECTION mSection;
};

class Lock {
public:
    explicit Lock(CriticalSection& section) : mSection(section) { mSection.Enter(); }
    ~Lock() { mSection.Leave(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CriticalSection& mSection;
};

// A Win32 event; manual-reset unless told otherwise.
class Event {
public:
    explicit Event(bool manualReset = true, bool initial = false)
        : mHandle(::CreateEventA(nullptr, manualReset, initial, nullptr)) {}
    ~Event() {
        if (mHandle) ::CloseHandle(mHandle);
    }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    HANDLE Get() const { return mHandle; }
    void Set() { ::SetEvent(mHandle); }
    void Reset() { ::ResetEvent(mHandle); }
    bool Wait(DWORD ms) { return ::WaitForSingleObject(mHandle, ms) == WAIT_OBJECT_0; }
    bool IsSet() { return Wait(0); }

private:
    HANDLE mHandle;
};

// A thread that runs one member function of its owner, joined when the owner lets it go.
class Thread {
public:
    Thread() = default;
    ~Thread() { Join(); }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    bool Start(LPTHREAD_START_ROUTINE routine, void* param) {
        if (mHandle) return false;
        mHandle = ::CreateThread(nullptr, 0, routine, param, 0, nullptr);
        return mHandle != nullptr;
    }
    bool Running() const { return mHandle != nullptr; }
    void Join() {
        if (!mHandle) return;
        ::WaitForSingleObject(mHandle, INFINITE);
        ::CloseHandle(mHandle);
        mHandle = nullptr;
    }
    bool IsCurrent() const { return mHandle && ::GetThreadId(mHandle) == ::GetCurrentThreadId(); }

private:
    HANDLE mHandle = nullptr;
};

}  // namespace navigator
