// The platform's open-file and save-file dialogs, set up in one place: each caller names what
// differs (owner, title, filter, flags, default extension, first folder) and brings its buffer.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace fw {

inline constexpr char kOpenMediaFilesTitle[] = "Open Media Files...";

struct FileDialog {
    HWND owner = nullptr;
    const char* title = nullptr;
    // Pairs of description and patterns, each ended by a NUL, the whole by an empty pair; the
    // first pair is the one shown.
    const char* filter = nullptr;
    DWORD flags = 0;  // OFN_*; with OFN_ALLOWMULTISELECT the buffer may receive several names
    const char* defaultExtension = nullptr;
    const char* initialDirectory = nullptr;
    bool save = false;  // the save-file dialog instead of the open-file one
};

// Shows the dialog over buffer, which holds the start text (NUL-terminated) and receives the
// choice. True when the user chose; fileOffset, when asked for, is then where the first name
// starts (see SplitChosenFiles). False for Cancel and for a dialog that failed, which counts as
// Cancel: its extended error (CommDlgExtendedError) stays for a caller that reports it.
bool AskForFile(const FileDialog& dialog, char* buffer, DWORD bufferChars, WORD* fileOffset = nullptr);

// The dialog for choosing media files, one or many from one folder, over the given filter:
// explorer style, files and folders that must exist, the read-only box ticked, room for 260000
// characters of names. On OK, names holds what the dialog returned and fileOffset where the
// first name starts, for SplitChosenFiles.
bool AskForMediaFiles(HWND owner, const char* filter, std::vector<char>& names, WORD& fileOffset);

}  // namespace fw
