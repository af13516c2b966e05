// The driver on the command line, for scripts and for poking at a running player by hand:
//   tmdriver windows                        top-level windows: handle, class, title, rectangle
//   tmdriver wait-window CLASS TITLE [MS]   waits for a window, prints its handle
//   tmdriver command TITLE ID               posts WM_COMMAND ID to the window with this title
//   tmdriver char TITLE C                   posts WM_CHAR C
//   tmdriver close TITLE                    posts WM_CLOSE
//   tmdriver messagebox [dismiss]           prints (and dismisses) a message box of any process
//   tmdriver screenshot OUT.png [TITLE]     the screen, or one window, as PNG
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Driver.h"

namespace {

HWND ByTitle(const char* title) {
    return e2e::FindTopWindow(nullptr, title);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: tmdriver windows|wait-window|command|char|close|messagebox|screenshot ...\n");
    return 2;
}

int ListWindows() {
    for (HWND hwnd : e2e::TopWindows(0)) {
        if (!e2e::IsShown(hwnd)) continue;
        RECT r = e2e::WindowRect(hwnd);
        std::printf("%p pid=%lu [%s] \"%s\" %ld,%ld %ldx%ld\n", static_cast<void*>(hwnd),
                    e2e::ProcessOf(hwnd), e2e::ClassName(hwnd).c_str(), e2e::WindowText(hwnd).c_str(), r.left,
                    r.top, r.right - r.left, r.bottom - r.top);
    }
    return 0;
}

int ShowMessageBox(bool dismiss) {
    for (HWND hwnd : e2e::TopWindows(0)) {
        std::optional<e2e::MessageBoxInfo> box = e2e::FindMessageBox(e2e::ProcessOf(hwnd));
        if (!box) continue;
        std::printf("%s\n%s\n", box->caption.c_str(), box->text.c_str());
        if (dismiss) e2e::DismissMessageBox(*box);
        return 0;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string verb = argv[1];
    if (verb == "windows") return ListWindows();
    if (verb == "wait-window" && argc >= 4) {
        HWND hwnd = e2e::WaitForWindow(argv[2], argv[3], 0, argc > 4 ? std::atoi(argv[4]) : 10000);
        if (!hwnd) return 1;
        std::printf("%p\n", static_cast<void*>(hwnd));
        return 0;
    }
    if ((verb == "command" || verb == "char") && argc >= 4) {
        HWND hwnd = ByTitle(argv[2]);
        if (!hwnd) return 1;
        return (verb == "command" ? e2e::PostCommand(hwnd, static_cast<WORD>(std::atoi(argv[3])))
                                  : e2e::PostChar(hwnd, argv[3][0]))
                   ? 0
                   : 1;
    }
    if (verb == "close" && argc >= 3) {
        HWND hwnd = ByTitle(argv[2]);
        return hwnd && e2e::Post(hwnd, WM_CLOSE) ? 0 : 1;
    }
    if (verb == "messagebox") return ShowMessageBox(argc > 2 && std::string(argv[2]) == "dismiss");
    if (verb == "screenshot" && argc >= 3) {
        if (argc >= 4) {
            HWND hwnd = ByTitle(argv[3]);
            return hwnd && e2e::ScreenshotWindow(hwnd, argv[2]) ? 0 : 1;
        }
        return e2e::Screenshot(argv[2]) ? 0 : 1;
    }
    return Usage();
}
