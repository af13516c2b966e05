#include "OpenFileDialog.h"

namespace fw {

namespace {
constexpr DWORD kMediaNamesChars = 260000;  // room for many names chosen at once
}  // namespace

bool AskForFile(const FileDialog& dialog, char* buffer, DWORD bufferChars, WORD* fileOffset) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = dialog.owner;
    ofn.lpstrFilter = dialog.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = bufferChars;
    ofn.lpstrTitle = dialog.title;
    ofn.lpstrDefExt = dialog.defaultExtension;
    ofn.lpstrInitialDir = dialog.initialDirectory;
    ofn.Flags = dialog.flags;
    BOOL chosen = dialog.save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
    if (!chosen) return false;
    if (fileOffset) *fileOffset = ofn.nFileOffset;
    return true;
}

bool AskForMediaFiles(HWND owner, const char* filter, std::vector<char>& names, WORD& fileOffset) {
    names.assign(kMediaNamesChars, '\0');
    FileDialog dialog;
    dialog.owner = owner;
    dialog.title = kOpenMediaFilesTitle;
    dialog.filter = filter;
    dialog.flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_READONLY;
    return AskForFile(dialog, names.data(), kMediaNamesChars, &fileOffset);
}

}  // namespace fw
