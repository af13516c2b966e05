// IDvdCmd: the caller's handle on one navigator command, which it may wait on (WaitForStart,
// WaitForEnd) and which EC_DVD_CMD_START / EC_DVD_CMD_END name by number. The registry finds a
// command by that number for GetCmdFromEvent while the caller still holds it. Whoever carries the
// command out sets its started and ended events; the handle only waits for them.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <map>
#include <memory>

#include "CallTrace.h"
#include "Commands.h"

namespace navigator {

class CmdRegistry {
public:
    uint32_t NextId();
    void Add(uint32_t id, IDvdCmd* cmd);
    void Remove(uint32_t id);
    // The command with this number, with a reference for the caller; null when gone.
    IDvdCmd* Find(uint32_t id);

private:
    CriticalSection mLock;
    uint32_t mNext = 1;
    std::map<uint32_t, IDvdCmd*> mLive;
};

// A new IDvdCmd for `command`, registered under its id; the caller owns the reference.
IDvdCmd* NewDvdCmd(const CommandPtr& command, const std::shared_ptr<CmdRegistry>& registry,
                   CallTrace trace = nullptr);

// IDvdCmd objects alive in the process, for a DLL's DllCanUnloadNow.
LONG LiveCmdObjects();

// How long a caller waits for a command before giving up: the reading thread normally takes
// commands within a few milliseconds; this only guards against a wedged graph.
inline constexpr DWORD kCommandWaitMs = 20000;

}  // namespace navigator
