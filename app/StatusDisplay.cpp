// What the main window shows of the playback: transport button states.
#include "MainWindow.h"
#include "resource.h"

namespace {
constexpr const char* kTransportButtons[] = {
    "ID_PLAYBACK_PLAY",        "ID_PLAYBACK_PAUSE",           "ID_PLAYBACK_STOP",
    "ID_PLAYBACK_NEXTCHAPTER", "ID_PLAYBACK_PREVIOUSCHAPTER", "ID_JUMP_BACKWARD",
    "ID_JUMP_FORWARD",
};
}  // namespace

void MainWindow::UpdateButtons(int reason) {
    if (reason != IDC_BUTTON_CLOSE_PLAYLIST && reason != ID_FILE_CLOSE && reason != ID_FILE_SELECTDISC)
        return;
    bool open = reason == ID_FILE_SELECTDISC;
    for (const char* name : kTransportButtons)
        EnableButton(name, open);
}
