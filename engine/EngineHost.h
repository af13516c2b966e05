// What a playback engine may ask of the window that owns it: the owner's window (for posted
// commands and position updates), the skip and scan settings as they stand at the moment of a
// command, and the two services the DVD side uses when the disc refuses an operation.
#pragma once

#include <windows.h>

#include <string>

#include "TransportSettings.h"

class EngineHost {
public:
    // The owner's window: engines post WM_COMMAND and WM_POSITIONUPDATE to it.
    virtual HWND HostWindow() const = 0;
    // The module that holds menus, dialogs and icons.
    virtual HINSTANCE HostInstance() const = 0;
    virtual TransportSettings CurrentTransportSettings() const = 0;
    // The disc refused an operation: the owner notes the time and repaints.
    virtual void NoteProhibited() = 0;
    // Invalidates the owner's client area without erasing; the last error code on failure.
    virtual DWORD Repaint() = 0;
    // Where the engine keeps the user's files (the DVD bookmark): the folder of the profile,
    // ending in a backslash; empty when there is none.
    virtual std::string DataFolder() const = 0;

protected:
    ~EngineHost() = default;
};
