// Opening media: the open-file command, the open dialog, the file engine, seeking and volume.
#include <windows.h>

#include <string>
#include <vector>

#include "ChosenFiles.h"
#include "Decoders.h"
#include "Captions.h"
#include "ComOnDemand.h"
#include "DiscDrives.h"
#include "DvdPlayer.h"
#include "FilePlayer.h"
#include "MainWindow.h"
#include "OpenFileDialog.h"
#include "OpenFilter.h"
#include "PathText.h"
#include "StatusText.h"
#include "resource.h"

void MainWindow::OpenMedia() {
    char path[MAX_PATH] = {};
    {
        OpenScope opening(mOpenDepth);
        if (mPendingPath[0]) {
            CopyPath(path, mPendingPath);
            mPendingPath[0] = '\0';
        } else if (!ChooseMediaFiles(path)) {
            return;
        }
        ::UpdateWindow(Hwnd());
        CloseMedia();
        // A track of a disc that was taken out: the list stops here, with one word why.
        if (std::string gone = disc::GoneDiscRoot(path); !gone.empty()) {
            ReportDiscGone(gone);
            return;
        }
        ::CharLowerA(path);
        if (IsDvdPath(path)) {
            OpenDvdMedia(path);
        } else {
            OpenFile(path);
        }
        ApplyVolume();
    }
    // Whatever had to wait for the open may run now.
    ::PostMessageA(Hwnd(), WM_NULL, 0, 0);
}

void MainWindow::ReportDiscGone(const std::string& root) {
    std::string text = "The disc is gone from drive " + root + ".\nPut it back to play its tracks.";
    ::MessageBoxA(Hwnd(), text.c_str(), kProductName, MB_OK | MB_ICONEXCLAMATION);
}

bool MainWindow::ChooseMediaFiles(char (&path)[MAX_PATH]) {
    std::vector<char> names;
    WORD fileOffset = 0;
    if (!fw::AskForMediaFiles(Hwnd(), kMediaOpenFilter, names, fileOffset)) return false;
    ClearPlaylist();
    for (const std::string& chosen :
         fw::SplitChosenFiles(names.data(), names.size(), fileOffset, fw::RootJoin::Plain))
        AppendToPlaylist(chosen.c_str());
    if (mPlaylist.empty()) return false;
    CopyPath(path, mPlaylist[0]);
    mCurrentIndex = 0;
    return true;
}

bool MainWindow::OpenFile(char* path) {
    fw::EnsureCom();
    if (mEngine) CloseMedia();
    auto created = std::make_unique<FilePlayer>(static_cast<EngineHost&>(*this));
    FilePlayer& file = *created;
    file.SetFullScreenWish(ReadStoredFullscreen(Profile()) == 1 ? 1 : mSettings.mFullscreen);
    file.SetPath(path);
    // The engine is the open one while it opens: its message boxes hold off a replacement.
    mEngine = std::move(created);
    if (file.OpenMediaFile()) {
        UpdateButtons(ID_FILE_SELECTDISC);
        return true;
    }
    path[0] = '\0';
    CloseMedia();
    return false;
}

// A DVD folder's ".ifo" file. The decoders are switched around the graph whether or not the
// disc opens; the navigator resolves relative names against the disc's folder, so that folder
// is the current directory while it builds and starts.
bool MainWindow::OpenDvdMedia(char* path) {
    PrepareDvdDecoders();
    std::string directory = DirectoryOf(path);
    ::SetCurrentDirectoryA(directory.c_str());
    bool opened = OpenDvd(path);
    if (opened) {
        auto& dvd = static_cast<DvdPlayer&>(*mEngine);
        ::SetCurrentDirectoryA(directory.c_str());
        if (mSettings.mFullscreen == 1) dvd.ToggleFullScreen();
        dvd.PlayDvd();
        ::SetCurrentDirectoryA(directory.c_str());
        dvd.SelectSubpicture(0);
        UpdateButtons(ID_FILE_SELECTDISC);
    } else {
        CloseMedia();
    }
    ReleaseDvdDecoders();
    return opened;
}

bool MainWindow::OpenDvd(const char* path) {
    fw::EnsureCom();
    if (mEngine) CloseMedia();
    auto created = std::make_unique<DvdPlayer>(mInstance, Hwnd(), static_cast<EngineHost*>(this));
    DvdPlayer& dvd = *created;
    dvd.SetPath(path);
    // The engine is the open one while it builds: its message boxes hold off a replacement.
    mEngine = std::move(created);
    if (!dvd.Initialize()) return false;
    dvd.SetVideoWindowTitle(kDvdWindowTitle);
    dvd.SetDvdDirectory(path);
    return true;
}

void MainWindow::PrepareDvdDecoders() {
    PrepareDvdDecoderFiles();
}

void MainWindow::ReleaseDvdDecoders() {
    ReleaseDvdDecoderFiles();
}

bool MainWindow::SeekToFraction() {
    if (!mEngine) return false;
    return mEngine->SeekToFraction(static_cast<double>(mPosition) / kPositionSliderMax);
}

void MainWindow::ApplyVolume() {
    float fraction = static_cast<float>(mSettings.mVolume / 100.0);
    if (mEngine) mEngine->SetVolumeFraction(fraction);
}
