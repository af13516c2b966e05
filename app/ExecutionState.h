// Keeps the display awake while the player runs. SetThreadExecutionState is looked up at run
// time each time, so the player still starts on systems without it.
#pragma once

void KeepDisplayOn();
void ReleaseDisplay();
