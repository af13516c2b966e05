// The main window's side of the playlist window: its life and the operations it calls.
#include "MainWindow.h"
#include "PlaylistDialog.h"

// Created hidden right after the main window is first painted (or when first asked for);
// without a parent, so it is a window of its own on the desktop.
void MainWindow::CreatePlaylistWindow() {
    if (mPlaylistDialog && !mPlaylistDialog->Hwnd()) mPlaylistDialog->Create();
}

void MainWindow::DestroyPlaylistWindow() {
    if (!mPlaylistDialog) return;
    mPlaylistDialog->Destroy();
    mPlaylistDialog.reset();
}

void MainWindow::ShowPlaylistWindow() {
    CreatePlaylistWindow();
    if (mPlaylistDialog && mPlaylistDialog->Hwnd()) mPlaylistDialog->ShowRefreshed();
}

void MainWindow::ClearPlaylistAndMedia() {
    ClearPlaylist();
}

void MainWindow::CloseOpenMedia() {
    CloseMedia();
}

bool MainWindow::PlayPlaylistEntry(int index) {
    return PlayEntry(index);
}
