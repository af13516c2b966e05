// The Settings dialog: skip and scan amounts, full screen on play, and the way to the file
// association dialog, over the record its owner fills and reads back.
#pragma once

#include <windows.h>

struct SettingsDialogRecord {
    int autoStart = 0;  // carried through unchanged
    int skipForward = 20;
    int skipBackward = 10;
    int fastForward = 2;
    int fastBackward = 2;
    float slowForward = 0.5f;
    float slowBackward = 0.5f;  // carried through unchanged
    int fullScreenOnPlay = 0;
    HINSTANCE instance = nullptr;  // the module holding the dialog, and the spin controls' owner
    HWND parent = nullptr;
    void* mainWindow = nullptr;  // the owner's own object; the dialog does not use it
};

// Modal on the owner; true when the user confirmed with OK. The record holds what was typed
// even when OK was refused and the dialog then cancelled.
bool ShowSettingsDialog(SettingsDialogRecord& record);
