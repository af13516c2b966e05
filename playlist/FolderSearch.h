// Collects the media files below a folder, breadth-first: the folder's own files first, then
// those of its subfolders in the order they were found, then theirs. Pending folders wait in a
// queue, so a deep tree needs no call-stack depth.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace playlist {

class FolderSearch {
public:
    // report shows a message to the user (the search's two failure texts).
    explicit FolderSearch(std::function<void(const std::string&)> report);

    // Appends every media file below folder to results. False, after a message and with nothing
    // appended, when the folder does not exist or is not a folder. Folders that cannot be
    // entered on the way are passed over.
    bool Search(const std::string& folder, std::vector<std::string>& results);

    // The queue of folders still to visit: empty after a search.
    const std::deque<std::string>& PendingFolders() const { return mQueue; }

private:
    void Visit(const std::string& folder);

    std::function<void(const std::string&)> mReport;
    std::string mStartFolder;
    std::vector<std::string>* mResults = nullptr;
    std::deque<std::string> mQueue;
};

}  // namespace playlist
