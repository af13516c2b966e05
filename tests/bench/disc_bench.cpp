// The cost of one idle disc poll (run every 3 s while nothing plays and AutoStart is on): with
// two empty CD drives, and with a disc in the first that has been handled already. Each figure
// stands next to the bare platform calls the poll cannot do without: the drive list, the drive
// types and the file-open probes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CdDrives.h"
#include "DiscDrives.h"
#include "Driver.h"

namespace {

double Now() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / f.QuadPart;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Runs the two pieces of work in turn, so that both meet the same load of a shared machine.
void MedianPairMs(int runs, const std::function<void()>& first, const std::function<void()>& second,
                  double& firstMs, double& secondMs) {
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        first();
        double middle = Now();
        second();
        b.push_back(Now() - middle);
        a.push_back(middle - start);
    }
    firstMs = Median(a);
    secondMs = Median(b);
}

// The platform calls alone: list the drives, ask each one's type, open each probe path.
void BareCalls(const std::vector<std::string>& probes) {
    char list[256] = {};
    ::GetLogicalDriveStringsA(sizeof(list), list);
    for (const char* root = list; *root; root += std::strlen(root) + 1)
        ::GetDriveTypeA(root);
    UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    for (const std::string& path : probes) {
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    }
    ::SetErrorMode(previous);
}

std::vector<std::string> AllProbes(const std::string& root) {
    std::vector<std::string> probes;
    for (disc::DiscKind kind :
         {disc::DiscKind::DvdVideo, disc::DiscKind::VideoCd, disc::DiscKind::VideoCdMusic,
          disc::DiscKind::SuperVcdMusic, disc::DiscKind::SuperVcd})
        probes.push_back(disc::ProbePath(root.c_str(), kind));
    return probes;
}

void Report(const char* what, int runs, const std::vector<std::string>& probes) {
    disc::DiscDrives drives;
    drives.PollOnce();  // a disc already seen: the polls measured only look
    double poll = 0, floor = 0;
    MedianPairMs(
        runs, [&] { drives.PollOnce(); }, [&] { BareCalls(probes); }, poll, floor);
    std::printf("%s (median of %d):\n", what, runs);
    std::printf("  idle poll                          %8.3f ms\n", poll);
    std::printf("  drive list, types, %2zu probes only  %8.3f ms   (floor)\n", probes.size(), floor);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    runs = std::max(runs, 25);  // one poll is short: take enough of them for a steady median
    disctest::RemoveAllCdDrives();
    auto first = std::make_unique<disctest::CdDrive>('M');
    auto second = std::make_unique<disctest::CdDrive>('N');
    if (!*first || !*second) {
        std::printf("cannot make the CD drives\n");
        return 1;
    }
    std::vector<std::string> probes = AllProbes(first->Root());
    std::vector<std::string> more = AllProbes(second->Root());
    probes.insert(probes.end(), more.begin(), more.end());
    Report("two empty CD drives", runs, probes);

    if (!first->PutTracks("MPEGAV", "AVSEQ", "DAT", 3, e2e::MediaDirectory() + "clip.mpg")) {
        std::printf("cannot put the disc in\n");
        return 1;
    }
    // The poll ends at the disc: the DVD probe and the Video CD probe of the first drive.
    Report("a Video CD in the first of two drives", runs, {probes[0], probes[1]});
    return 0;
}
