// Playlist figures, each next to its floor measured in the same run: loading a 100 000-entry
// M3U file and refreshing the playlist window with it, both next to only reading the file into
// memory; removing every second entry next to only copying the playlist; searching a tree of
// 20 000 files in 2 000 folders next to only listing that tree.
//   playlist_bench [RUNS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "FolderSearch.h"
#include "Handles.h"
#include "PlaylistDialog.h"
#include "PlaylistFile.h"

namespace {

constexpr int kEntries = 100000;
constexpr int kTopFolders = 40, kSubFolders = 49, kFilesPerFolder = 10;  // 2 000 folders, 20 000 files

double Millis(const std::function<void()>& work) {
    LARGE_INTEGER freq, from, to;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&from);
    work();
    ::QueryPerformanceCounter(&to);
    return (to.QuadPart - from.QuadPart) * 1000.0 / freq.QuadPart;
}

double Median(int runs, const std::function<void()>& work, const std::function<void()>& prepare = nullptr) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        times.push_back(Millis(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One figure per line, in one column, with its ratio to its floor when it has one.
void Report(const std::string& what, double ms, double floor = 0) {
    std::printf("  %-72s %8.1f ms", what.c_str(), ms);
    if (floor > 0) std::printf("  (%.1fx floor)", ms / floor);
    std::printf("\n");
}

std::string TempPath(const char* name) {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    return std::string(base) + name;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    fw::FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadWholeFile(const std::string& path) {
    fw::FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    std::string bytes(::GetFileSize(file.Get(), nullptr), '\0');
    DWORD got = 0;
    ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    return bytes;
}

std::string MakePlaylistFile() {
    std::string text = "#EXTM3U\r\n";
    char line[200];
    for (int i = 0; i < kEntries; ++i) {
        std::snprintf(
            line, sizeof(line),
            "#EXTINF:%d,Artist %d - Title %d\r\nC:\\Music\\Artist %04d\\Album %02d\\%05d - Title.mp3\r\n",
            180 + i % 300, i % 997, i, i % 997, i % 13, i);
        text += line;
    }
    std::string path = TempPath("tesmaro_bench_100k.m3u");
    WriteFileBytes(path, text);
    return path;
}

// The tree is made once and kept in the temporary folder for later runs.
std::string MakeTree() {
    std::string root = TempPath("tesmaro_bench_tree\\");
    std::string done = root + "complete.marker";
    if (::GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES) return root;
    ::CreateDirectoryA(root.c_str(), nullptr);
    static const char* kinds[] = {".mp3", ".avi", ".txt", ".JPG", ".wav",
                                  ".doc", ".mpg", ".ini", ".ogg", ".m3u"};
    auto fill = [&](const std::string& folder) {
        ::CreateDirectoryA(folder.c_str(), nullptr);
        for (int f = 0; f < kFilesPerFolder; ++f)
            WriteFileBytes(folder + "file" + std::to_string(f) + kinds[f], "");
    };
    for (int t = 0; t < kTopFolders; ++t) {
        std::string top = root + "top" + std::to_string(t) + "\\";
        fill(top);
        for (int s = 0; s < kSubFolders; ++s)
            fill(top + "sub" + std::to_string(s) + "\\");
    }
    WriteFileBytes(done, "");
    return root;
}

// Only listing the tree, breadth-first as the search does, without looking at names.
size_t ListTree(const std::string& root) {
    std::vector<std::string> queue{root};
    size_t files = 0;
    for (size_t i = 0; i < queue.size(); ++i) {
        WIN32_FIND_DATAA found;
        fw::FindHandle find(::FindFirstFileA((queue[i] + "*.*").c_str(), &found));
        if (!find) continue;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                ++files;
            } else if (found.cFileName[0] != '.') {
                queue.push_back(queue[i] + found.cFileName + "\\");
            }
        } while (::FindNextFileA(find.Get(), &found));
    }
    return files;
}

struct BenchHost : PlaylistHost {
    playlist::Playlist entries;
    int index = 0, shuffle = 0;
    playlist::Playlist& PlaylistEntries() override { return entries; }
    int& PlaylistCurrentIndex() override { return index; }
    int& PlaylistShuffle() override { return shuffle; }
    void ClearPlaylistAndMedia() override { entries.clear(); }
    void CloseOpenMedia() override {}
    bool PlayPlaylistEntry(int) override { return true; }
    const char* ApplicationTitle() const override { return "Tesmaro Player"; }
};

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);

    std::string m3u = MakePlaylistFile();
    size_t bytes = ReadWholeFile(m3u).size();
    // The floor and the load take turns, so both see the same state of the machine and caches.
    BenchHost host;
    std::vector<double> floors, loads;
    for (int i = 0; i < runs; ++i) {
        floors.push_back(Millis([&] { ReadWholeFile(m3u); }));
        host.entries.clear();
        loads.push_back(Millis([&] { playlist::ReadPlaylistFile(m3u, host.entries); }));
    }
    std::sort(floors.begin(), floors.end());
    std::sort(loads.begin(), loads.end());
    double floor = floors[runs / 2], load = loads[runs / 2];

    // Removing every second row of the loaded playlist, next to one plain pass over its entries.
    std::vector<int> everySecond;
    for (int row = 0; row < static_cast<int>(host.entries.size()); row += 2)
        everySecond.push_back(row);
    playlist::Playlist copy;
    std::vector<double> copies, removals;
    for (int i = 0; i < runs; ++i) {
        copies.push_back(Millis([&] { copy = host.entries; }));
        removals.push_back(Millis([&] { copy.RemoveRows(everySecond); }));
    }
    std::sort(copies.begin(), copies.end());
    std::sort(removals.begin(), removals.end());
    double copying = copies[runs / 2], removal = removals[runs / 2];
    size_t left = copy.size();

    PlaylistDialog dialog(host);
    dialog.Create();
    double refresh = Median(runs, [&] {
        dialog.ShowRefreshed();
        ::UpdateWindow(dialog.Hwnd());
        ::UpdateWindow(dialog.List());
    });
    int rows = ListView_GetItemCount(dialog.List());
    dialog.Destroy();

    std::string tree = MakeTree();
    ListTree(tree);  // warm the caches for both
    // Listing and searching take turns, so both see the same state of the machine and caches.
    size_t listed = 0, found = 0;
    std::vector<double> listings, searches;
    for (int i = 0; i < runs; ++i) {
        listings.push_back(Millis([&] { listed = ListTree(tree); }));
        searches.push_back(Millis([&] {
            std::vector<std::string> results;
            playlist::FolderSearch(nullptr).Search(tree, results);
            found = results.size();
        }));
    }
    std::sort(listings.begin(), listings.end());
    std::sort(searches.begin(), searches.end());
    double listing = listings[runs / 2], search = searches[runs / 2];

    std::printf("playlist, median of %d runs under Wine:\n", runs);
    Report("read the " + std::to_string(kEntries) + "-entry M3U file into memory (floor, " +
               std::to_string(bytes) + " bytes)",
           floor);
    Report("load the M3U file into the playlist (" + std::to_string(host.entries.size()) + " entries)", load,
           floor);
    Report("copy the loaded playlist (floor)", copying);
    Report("remove every second row in one pass (" + std::to_string(left) + " left)", removal, copying);
    Report("refresh and paint the playlist window (" + std::to_string(rows) + " rows)", refresh);
    Report("list a tree of " + std::to_string(listed) + " files in " +
               std::to_string(kTopFolders * (kSubFolders + 1)) + " folders (floor)",
           listing);
    Report("search that tree for media files (" + std::to_string(found) + " found)", search, listing);
    return 0;
}
