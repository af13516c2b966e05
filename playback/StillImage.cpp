// Still pictures and frame capture arrive with their own work; until then every file is played
// as a moving picture and the capture commands do nothing.
#include "FilePlayer.h"

bool FilePlayer::IsStillImage(const char*) {
    return false;
}

LRESULT FilePlayer::OnVideoScroll(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool FilePlayer::CaptureFrame(const char*) {
    return false;
}

void FilePlayer::OpenCapturedImage(const char*) {}
