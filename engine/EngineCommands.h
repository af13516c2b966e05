// The one handler of the commands that act on whatever is open: the main window's dispatcher
// hands every command that is not its own here, and both video windows hand their popup menus'
// entries and typed characters here too, so a command means the same wherever it comes from.
#pragma once

#include <windows.h>

#include "TransportSettings.h"

class PlaybackEngine;

// Runs command id on engine, with the skip and scan amounts as they stand now. Commands that
// only one kind of engine knows go to its OnEngineCommand. False when the engine has no use for
// the command: it then belongs to the owner (close, about, the playlist's next and previous).
bool RunEngineCommand(PlaybackEngine& engine, UINT id, const TransportSettings& settings);
