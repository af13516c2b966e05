#include "DvdCmd.h"

#include "ComObject.h"

namespace navigator {

uint32_t CmdRegistry::NextId() {
    Lock lock(mLock);
    uint32_t id = mNext++;
    if (mNext == 0) mNext = 1;
    return id;
}

void CmdRegistry::Add(uint32_t id, IDvdCmd* cmd) {
    Lock lock(mLock);
    mLive[id] = cmd;
}

void CmdRegistry::Remove(uint32_t id) {
    Lock lock(mLock);
    mLive.erase(id);
}

namespace {
bool TryAddRef(IDvdCmd* cmd);
LONG gLive = 0;
}  // namespace

IDvdCmd* CmdRegistry::Find(uint32_t id) {
    Lock lock(mLock);
    auto found = mLive.find(id);
    if (found == mLive.end() || !TryAddRef(found->second)) return nullptr;
    return found->second;
}

namespace {

class DvdCmd final : public ComObject<IDvdCmd, IID_IDvdCmd> {
public:
    DvdCmd(const CommandPtr& command, const std::shared_ptr<CmdRegistry>& registry, CallTrace trace)
        : mCommand(command), mRegistry(registry), mTrace(trace) {
        mRegistry->Add(mCommand->id, this);
        ::InterlockedIncrement(&gLive);
    }
    ~DvdCmd() {
        mRegistry->Remove(mCommand->id);
        ::InterlockedDecrement(&gLive);
    }

    // A reference for the registry's Find, unless the last one is already gone (the command is
    // being deleted on another thread).
    bool TryAddRef() {
        for (;;) {
            LONG refs = mRefs;
            if (refs == 0) return false;
            if (::InterlockedCompareExchange(&mRefs, refs + 1, refs) == refs) return true;
        }
    }
    HRESULT STDMETHODCALLTYPE WaitForStart() override {
        if (mTrace) mTrace("Cmd.WaitForStart");
        return mCommand->started.Wait(kCommandWaitMs) ? S_OK : VFW_E_TIMEOUT;
    }
    HRESULT STDMETHODCALLTYPE WaitForEnd() override {
        if (mTrace) mTrace("Cmd.WaitForEnd");
        if (!mCommand->ended.Wait(kCommandWaitMs)) return VFW_E_TIMEOUT;
        return mCommand->result;
    }

private:
    CommandPtr mCommand;
    std::shared_ptr<CmdRegistry> mRegistry;
    CallTrace mTrace;
};

bool TryAddRef(IDvdCmd* cmd) {
    return static_cast<DvdCmd*>(cmd)->TryAddRef();
}

}  // namespace

IDvdCmd* NewDvdCmd(const CommandPtr& command, const std::shared_ptr<CmdRegistry>& registry, CallTrace trace) {
    return new DvdCmd(command, registry, trace);
}

LONG LiveCmdObjects() {
    return gLive;
}

}  // namespace navigator
