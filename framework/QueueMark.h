// A mark that a watcher outside the process puts into the main window's queue, to learn when
// the window's thread has handled everything posted before it. Posted messages of one thread
// are handled in the order they were posted, and a sent message overtakes them all, so an
// answer to a plain sent message says nothing about what was posted before it.
#pragma once

#include <windows.h>

namespace fw {

// Posted with a non-zero wParam: the window keeps that number. Sent with wParam 0: the window
// answers the number it kept last.
UINT QueueMarkMessage();

}  // namespace fw
