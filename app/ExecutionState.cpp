#include "ExecutionState.h"

#include <windows.h>

namespace {

void SetExecutionState(DWORD flags) {
    using Fn = EXECUTION_STATE(WINAPI*)(EXECUTION_STATE);
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    if (!kernel) return;
    auto fn =
        reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(kernel, "SetThreadExecutionState")));
    if (fn) fn(flags);
}

}  // namespace

void KeepDisplayOn() {
    SetExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
}
void ReleaseDisplay() {
    SetExecutionState(ES_CONTINUOUS);
}
