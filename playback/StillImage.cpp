// Still pictures in the video window: the window is sized to the picture, a picture larger than
// the work area is panned with scroll bars, and full screen shows a picture at its own size when
// it fits.
#include <windows.h>

#include <vector>

#include "FilePlayer.h"
#include "Handles.h"
#include "PlaybackMath.h"
#include "StillPicture.h"

namespace {

constexpr char kPlaceFailure[] =
    "FAILED(hr=0x%x) in pVW->SetWindowPosition(rect.left, rect.top, rect.right-rect.left, rect.bottom- "
    "rect.top)\n";
constexpr char kPlaceFailureBoth[] =
    "FAILED(hr=0x%x) in pVW->SetWindowPosition(rect.left, rect.top, rect.right-rect.left, "
    "rect.bottom-rect.top)\n";

// How long a paused picture may take to reach the renderer.
constexpr DWORD kPictureWaitMs = 500;

// Enough of a picture file to find its size behind the metadata that cameras put first.
constexpr DWORD kHeaderBytes = 256 * 1024;

RECT WorkArea() {
    RECT r{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

}  // namespace

bool FilePlayer::IsStillImage(const char* path) {
    return path && IsStillImagePath(path);
}

bool FilePlayer::PictureExceedsLimit(const char* path) {
    if (!IsStillImage(path)) return false;
    fw::FileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;  // the graph reports what it cannot open
    std::vector<unsigned char> header(kHeaderBytes);
    DWORD read = 0;
    if (!::ReadFile(file.Get(), header.data(), kHeaderBytes, &read, nullptr)) return false;
    std::optional<PictureSize> size = DeclaredPictureSize(path, header.data(), read);
    return size && ::IsPictureTooLarge(*size);
}

HRESULT FilePlayer::InitStillWindow(long w, long h) {
    RECT workArea = WorkArea();
    StillLayout layout = LayoutStill(w, h, workArea.right - workArea.left, workArea.bottom - workArea.top,
                                     ::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME),
                                     ::GetSystemMetrics(SM_CYCAPTION));
    LONG style = ::GetWindowLongA(videoWindow, GWL_STYLE) & ~(WS_HSCROLL | WS_VSCROLL);
    if (layout.horizontalBar) style |= WS_HSCROLL;
    if (layout.verticalBar) style |= WS_VSCROLL;
    ::SetWindowLongA(videoWindow, GWL_STYLE, style);
    if (!layout.horizontalBar) ::ShowScrollBar(videoWindow, SB_HORZ, FALSE);
    if (!layout.verticalBar) ::ShowScrollBar(videoWindow, SB_VERT, FALSE);
    UINT shown = videoShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    ::SetWindowPos(videoWindow, nullptr, 0, 0, layout.windowWidth, layout.windowHeight,
                   SWP_NOOWNERZORDER | SWP_FRAMECHANGED | shown);

    RECT rc{};
    ::GetClientRect(videoWindow, &rc);
    if (layout.horizontalBar) {
        ::SetScrollRange(videoWindow, SB_HORZ, 0, w - rc.right, TRUE);
        rc.right = w;
    }
    if (layout.verticalBar) {
        ::SetScrollRange(videoWindow, SB_VERT, 0, h - rc.bottom, TRUE);
        rc.bottom = h;
    }
    HRESULT hr = S_OK;
    if (videoShown && videoRenderer) {
        hr = videoRenderer->SetWindowPosition(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
        if (FAILED(hr)) {
            bool both = layout.horizontalBar && layout.verticalBar;
            ReportError(both ? kPlaceFailureBoth : kPlaceFailure, static_cast<unsigned>(hr));
        }
    }
    videoRect = rc;
    return hr;
}

// A move or a new size starts the picture at its top-left corner again.
LRESULT FilePlayer::OnStillSize() {
    if (fullScreen || !basicVideo) return 0;
    long w = 0, h = 0;
    if (basicVideo->GetVideoSize(&w, &h) == E_NOINTERFACE) return 0;
    w = static_cast<long>(w * zoom);
    h = static_cast<long>(h * zoom);
    RECT workArea = WorkArea();
    RECT rc{};
    ::GetClientRect(videoWindow, &rc);
    if (workArea.right - workArea.left < w) {
        ::SetScrollRange(videoWindow, SB_HORZ, 0, w - rc.right, TRUE);
        rc.right = w;
        ::SetScrollPos(videoWindow, SB_HORZ, 0, TRUE);
    }
    if (workArea.bottom - workArea.top < h) {
        ::SetScrollRange(videoWindow, SB_VERT, 0, h - rc.bottom, TRUE);
        rc.bottom = h;
        ::SetScrollPos(videoWindow, SB_VERT, 0, TRUE);
    }
    videoRect = rc;
    // The picture follows at the next paint; ask for one, since a move alone paints nothing.
    ::InvalidateRect(videoWindow, nullptr, FALSE);
    return 0;
}

void FilePlayer::OnStillPaint() {
    if (videoRenderer) videoRenderer->put_Visible(OATRUE);
    { fw::PaintDc paint(videoWindow); }
    if (videoRenderer) {
        videoRenderer->SetWindowPosition(videoRect.left, videoRect.top, videoRect.right, videoRect.bottom);
        RedeliverPicture();
    }
}

// Some renderers (Wine's among them) draw only when a frame arrives, not when their window is
// uncovered, moved or resized: a seek of the held picture to where it stands has the graph
// deliver the frame once more. A running graph delivers its next frame anyway.
void FilePlayer::RedeliverPicture() {
    if (!mediaSeeking || state == Running || state == Scanning) return;
    LONGLONG current = 0;
    if (FAILED(mediaSeeking->GetCurrentPosition(&current))) return;
    if (FAILED(mediaSeeking->SetPositions(&current, AM_SEEKING_AbsolutePositioning, nullptr,
                                          AM_SEEKING_NoPositioning)))
        return;
    WaitForPicture();
}

// The paused graph is ready once the renderer holds the frame; drawn before this thread goes
// back to its messages, it reaches the screen at once (Wine shows what other threads draw into
// a window only when the window's own thread next looks at its messages).
void FilePlayer::WaitForPicture() {
    OAFilterState reached;
    if (mediaControl) mediaControl->GetState(kPictureWaitMs, &reached);
}

LRESULT FilePlayer::OnVideoScroll(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
        int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (::GetScrollInfo(window, bar, &info)) {
            int target = ScrollTarget(LOWORD(wParam), HIWORD(wParam), info.nPos, info.nMin, info.nMax);
            if (target != info.nPos) {
                ::SetScrollPos(window, bar, target, TRUE);
                int moved = info.nPos - target;
                // Moves the renderer's window with the contents.
                if (bar == SB_HORZ) {
                    ::ScrollWindow(window, moved, 0, nullptr, nullptr);
                    videoRect.left = -target;
                } else {
                    ::ScrollWindow(window, 0, moved, nullptr, nullptr);
                    videoRect.top = -target;
                }
                RedeliverPicture();
            }
        }
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool FilePlayer::EnterStillFullScreen() {
    fullScreen = 1;
    mainOnTop = 1;
    SIZE screen = placement.Enter(videoWindow, videoShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);

    long w = 0, h = 0;
    if (!basicVideo || basicVideo->GetVideoSize(&w, &h) == E_NOINTERFACE) return false;
    // The picture's own size: one smaller than the screen is centred, not enlarged.
    PlaceRendererPicture(videoRenderer.Get(), FitToScreen(w, h, screen.cx, screen.cy));
    RedeliverPicture();
    return true;
}

bool FilePlayer::LeaveStillFullScreen() {
    // Hidden until the window's next paint puts it back where the scroll bars say.
    videoRenderer->put_Visible(OAFALSE);
    placement.Leave(videoWindow, notifyWindow, videoShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    fullScreen = 0;
    cursor.Show();
    return true;
}
