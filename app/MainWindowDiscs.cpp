// The main window's disc drives: the drive items of the open-resource menu, the eject choice,
// starting a disc from the menu or the poll, and the trays.
#include <windows.h>

#include "DiscDrives.h"
#include "FileSystem.h"
#include "MainWindow.h"
#include "Messages.h"
#include "PathText.h"
#include "PlaybackEngine.h"
#include "resource.h"

namespace {

// Only the first eight drives have commands of their own; the items of later drives are shown
// with identifiers that do nothing.
constexpr int kDriveCommands = 8;

constexpr char kEjectFailed[] = "Can not eject CDROM!";
constexpr char kCloseFailed[] = "Can not close CDROM!";
constexpr char kErrorCaption[] = "Error";

}  // namespace

bool MainWindow::OnDiscCommand(WORD id) {
    if (id == ID_OPTIONS_AUTOSTART) {
        mSettings.mAutoStart = !mSettings.mAutoStart;  // for this run only: the stored setting stays
        mDrives.RearmDiscs();
        return true;
    }
    if (id == ID_PLAY_DISK) {
        mDrives.RearmDiscs();
        PollDiscs();
        return true;
    }
    if (id >= ID_DRIVE_OPEN_BASE && id < ID_DRIVE_OPEN_BASE + kDriveCommands) {
        OpenDisc(id - ID_DRIVE_OPEN_BASE);
        return true;
    }
    if (id >= ID_DRIVE_EJECT_BASE && id < ID_DRIVE_EJECT_BASE + kDriveCommands) {
        ToggleTray(id - ID_DRIVE_EJECT_BASE);
        return true;
    }
    return false;
}

void MainWindow::OnDiscPollTimer() {
    // An open dialog or message box of the open command waits for its answer: no disc may slip
    // in under it.
    if (mSettings.mAutoStart && !IsMediaOpen() && !EngineBusy()) PollDiscs();
    ++mDiscPollTicks;
}

void MainWindow::PollDiscs() {
    disc::PollDecision decision = mDrives.PollOnce();
    switch (decision.action) {
        case disc::PollDecision::Action::OpenDvd:
            OpenDvdDisc(decision.probePath);
            break;
        case disc::PollDecision::Action::OpenTracks:
            PlayDiscTracks(mDrives.mDriveRoots[decision.drive], decision.kind);
            break;
        case disc::PollDecision::Action::Nothing:
            break;
    }
}

void MainWindow::OpenDisc(int index) {
    // An index past the table would probe an empty root, that is the current folder.
    if (index < 0 || index >= mDrives.mDriveCount) return;
    const char* root = mDrives.mDriveRoots[index];
    disc::DiscKind kind = disc::DetectDisc(root, fw::FileExists);
    if (kind == disc::DiscKind::None) return;
    if (kind == disc::DiscKind::DvdVideo) {
        OpenDvdDisc(disc::ProbePath(root, kind));
    } else {
        PlayDiscTracks(root, kind);
    }
}

// A DVD opens through the open-file command with its ".ifo" path, as any DVD folder does.
void MainWindow::OpenDvdDisc(const std::string& probePath) {
    ClearPlaylist();
    CopyPath(mPendingPath, probePath);
    ::PostMessageA(Hwnd(), WM_COMMAND, ID_FILE_SELECTDISC, 0);
}

void MainWindow::PlayDiscTracks(const char* driveRoot, disc::DiscKind kind) {
    char root[disc::kRootChars] = {};
    CopyPath(root, driveRoot);  // the table may be rebuilt while the first track opens
    {
        OpenScope opening(mOpenDepth);
        ClearPlaylist();
        for (const std::string& track : disc::NumberedTracks(root, kind, fw::FileExists))
            AppendToPlaylist(track.c_str());
        char first[MAX_PATH] = {};
        CopyPath(first, disc::ProbePath(root, kind));
        OpenFile(first);
        // The transport stays usable even when track 1 failed: the other tracks may play.
        UpdateButtons(ID_FILE_SELECTDISC);
        ApplyVolume();
    }
    ::PostMessageA(Hwnd(), WM_NULL, 0, 0);  // whatever waited for the open may run now
}

const char* MainWindow::OpenMediaPath() const {
    return mEngine ? mEngine->MediaPath() : "";
}

void MainWindow::ToggleTray(int index) {
    if (index < 0 || index >= mDrives.mDriveCount) return;
    char root[disc::kRootChars] = {};
    CopyPath(root, mDrives.mDriveRoots[index]);
    disc::TraySession tray(root);
    mDrives.mDoorOpen[index] = !mDrives.mDoorOpen[index];
    if (mDrives.mDoorOpen[index]) {
        // Nothing may keep reading from a disc whose tray opens.
        if (disc::PathOnDrive(OpenMediaPath(), root))
            ::SendMessageA(Hwnd(), WM_COMMAND, IDC_BUTTON_CLOSE_PLAYLIST, 0);
        if (!tray.OpenDoor()) ::MessageBoxA(Hwnd(), kEjectFailed, kErrorCaption, MB_OK);
    } else if (!tray.CloseDoor()) {
        ::MessageBoxA(Hwnd(), kCloseFailed, kErrorCaption, MB_OK);
    }
}

void MainWindow::AddDriveItems(HMENU popup, UINT position) {
    mDrives.ScanDrives();
    for (int i = 0; i < mDrives.mDriveCount; ++i) {
        ::InsertMenuA(popup, position + i, MF_BYPOSITION | MF_STRING, ID_DRIVE_OPEN_BASE + i,
                      mDrives.OpenItemText(i).c_str());
    }
}

void MainWindow::ShowEjectChoice(LPARAM screenPoint) {
    mDrives.ScanDrives();
    if (mDrives.mDriveCount == 0) return;
    if (mDrives.mDriveCount == 1) {
        ::PostMessageA(Hwnd(), WM_COMMAND, ID_DRIVE_EJECT_BASE, 0);
        return;
    }
    fw::MenuHandle menu(::LoadMenuA(mInstance, MAKEINTRESOURCEA(IDR_EJECT)));
    if (!menu) return;
    HMENU popup = ::GetSubMenu(menu.Get(), 0);
    for (int i = 0; i < mDrives.mDriveCount; ++i) {
        ::InsertMenuA(popup, i + 1, MF_BYPOSITION | MF_STRING, ID_DRIVE_EJECT_BASE + i,
                      mDrives.EjectItemText(i).c_str());
    }
    int x = static_cast<short>(LOWORD(screenPoint));
    int y = static_cast<short>(HIWORD(screenPoint));
    ::TrackPopupMenu(popup, TPM_LEFTBUTTON, x, y, 0, Hwnd(), nullptr);
}
