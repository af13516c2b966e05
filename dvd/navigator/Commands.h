// The navigator's commands on their way from the caller's thread to the reading thread, which
// alone drives the virtual machine: what to do, whom to tell when it starts and ends, and its
// result. IDvdCmd objects hold the same record, so they may outlive the navigator.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>

#include "StateStream.h"
#include "Sync.h"

namespace navigator {

enum class Op {
    PlayTitle,
    PlayChapterInTitle,
    PlayAtTimeInTitle,
    PlayAtTime,
    PlayChapter,
    PrevChapter,
    ReplayChapter,
    NextChapter,
    Rate,  // rate: forwards when positive
    ShowMenu,
    Resume,
    GoUp,
    StillOff,
    Pause,  // a: 1 on, 0 off
    SelectAudio,
    SelectSubpicture,
    SubpictureOn,  // a: 1 on
    SelectAngle,
    ButtonRelative,  // a: DVD_RELATIVE_BUTTON
    ButtonActivate,
    ButtonSelect,
    ButtonSelectActivate,
    MouseSelect,  // a, b: picture point
    MouseActivate,
    SetState,
    SetGprm,  // a index, b value
    Stop,
    ChaptersAutoStop,  // a title, b chapter, c count
    PeriodAutoStop,    // a title, ms start, endMs end
    Directory,         // path
    Languages,         // a menu, b audio, c subpicture (two-letter codes)
    ParentalLevel,     // a level (15 none)
    ParentalCountry,   // a two letters
};

struct Command {
    Op op = Op::Stop;
    int a = 0, b = 0, c = 0;
    int64_t ms = 0, endMs = 0;
    double rate = 1.0;
    SavedState state;
    std::wstring path;

    uint32_t id = 0;      // for EC_DVD_CMD_START / END when the caller holds an IDvdCmd
    bool notify = false;  // whether those events are sent
    HRESULT result = S_OK;
    Event started{true, false};
    Event ended{true, false};
};

using CommandPtr = std::shared_ptr<Command>;

// Commands waiting for the reading thread; it is woken by `wake` when one arrives.
class CommandQueue {
public:
    void Push(const CommandPtr& command) {
        {
            Lock lock(mLock);
            mQueue.push_back(command);
        }
        mWake.Set();
    }
    CommandPtr Pop() {
        Lock lock(mLock);
        if (mQueue.empty()) return nullptr;
        CommandPtr c = mQueue.front();
        mQueue.pop_front();
        return c;
    }
    bool Empty() {
        Lock lock(mLock);
        return mQueue.empty();
    }
    HANDLE Wake() { return mWake.Get(); }
    void ClearWake() { mWake.Reset(); }
    void Signal() { mWake.Set(); }

private:
    CriticalSection mLock;
    std::deque<CommandPtr> mQueue;
    Event mWake{true, false};
};

}  // namespace navigator
