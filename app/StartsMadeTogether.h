// Which hand-overs come from starts made together with ours. Opening a selection of files at
// once starts one player per file; they find ours once it is placed and hand it their files,
// however long a busy machine takes them to get that far. Such a hand-over joins our own file
// instead of replacing it, as a later start's does.
#pragma once

#include <windows.h>

#include <vector>

#include "Handles.h"

class StartsMadeTogether {
public:
    // At our window's placement: how long our start took, and the other starts of this
    // program's file that run now.
    void Take();
    // A hand-over sent at the tick count `sentAt`, `sinceOurs` ms after our own file: one of those
    // starts still ran a moment before, or it came within about as long as our start took (a
    // start made just after ours takes as long).
    bool Sent(LONG sinceOurs, DWORD sentAt) const;
    // Whether one of those starts still ran `graceMs` before the tick count `tick`.
    bool RanShortlyBefore(DWORD tick, DWORD graceMs) const;

    static constexpr LONG kMomentMs = 1000;
    static constexpr LONG kLongestMs = 15000;  // as long as a start waits for its turn

private:
    DWORD mOwnStartMs = 0;
    std::vector<fw::KernelHandle> mStarts;
};
