// IDvdState objects: a bookmark of a place on one disc, persisted through IPersistStream so that
// OleSaveToStream / OleLoadFromStream write and create them as they do the platform's. Each
// navigator names its own class identifier; OleLoadFromStream finds ours through the class
// object the graph builder registers in the process (RegisterStateClass).
#pragma once

#include <windows.h>
#include <dshow.h>

#include "CallTrace.h"
#include "StateStream.h"

namespace navigator {

// {5D2B8F14-7C3E-4A96-B1E0-2F6A9C4D8E53}
inline constexpr CLSID kNavigatorStateClsid = {
    0x5d2b8f14, 0x7c3e, 0x4a96, {0xb1, 0xe0, 0x2f, 0x6a, 0x9c, 0x4d, 0x8e, 0x53}};

// One navigator's kind of state: the class identifier its bookmarks are saved under, and who
// hears of the calls made on them.
struct StateClass {
    CLSID clsid;
    CallTrace trace = nullptr;
};
inline constexpr StateClass kNavigatorStateClass{kNavigatorStateClsid, nullptr};

HRESULT CreateDvdState(const SavedState& state, const StateClass& kind, IDvdState** out);
// An empty state for a class factory, to be loaded from a stream.
HRESULT CreateEmptyDvdState(const StateClass& kind, REFIID iid, void** out);
// The contents of `state` when it is one of `clsid`'s (its class identifier says so) and loaded.
bool ReadDvdState(IDvdState* state, REFCLSID clsid, SavedState& out);

// Our navigator's.
inline HRESULT CreateDvdState(const SavedState& state, IDvdState** out) {
    return CreateDvdState(state, kNavigatorStateClass, out);
}
inline bool ReadDvdState(IDvdState* state, SavedState& out) {
    return ReadDvdState(state, kNavigatorStateClsid, out);
}

// The class object of our states, registered with COM in this process while any graph builder
// of ours lives; nested calls count.
HRESULT RegisterStateClass();
void RevokeStateClass();

// IDvdState objects alive in the process, for a DLL's DllCanUnloadNow.
LONG LiveStateObjects();

}  // namespace navigator
