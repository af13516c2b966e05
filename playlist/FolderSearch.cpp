#include "FolderSearch.h"

#include <windows.h>

#include "Handles.h"
#include "PlaylistModel.h"

namespace playlist {

FolderSearch::FolderSearch(std::function<void(const std::string&)> report) : mReport(std::move(report)) {}

bool FolderSearch::Search(const std::string& folder, std::vector<std::string>& results) {
    mStartFolder = folder;
    if (mStartFolder.empty() || mStartFolder.back() != '\\') mStartFolder += '\\';
    mResults = &results;
    mQueue.clear();

    DWORD attributes = ::GetFileAttributesA(mStartFolder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (mReport) mReport(mStartFolder + " occurs error!");
        return false;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (mReport) mReport(mStartFolder + " is not a right directory");
        return false;
    }
    mQueue.push_back(mStartFolder);
    while (!mQueue.empty()) {
        Visit(mQueue.front());
        mQueue.pop_front();
    }
    return true;
}

void FolderSearch::Visit(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    fw::FindHandle find(::FindFirstFileA((folder + "*.*").c_str(), &found));
    if (!find) return;  // a folder that cannot be entered adds nothing
    do {
        std::string name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..") mQueue.push_back(folder + name + "\\");
        } else if (IsMediaFile(name)) {
            mResults->push_back(folder + name);
        }
    } while (::FindNextFileA(find.Get(), &found));
}

}  // namespace playlist
