// COM for the window thread, started at its first need instead of before the window can show:
// loading and starting COM is a sizeable part of what a start would otherwise wait for.
#pragma once

namespace fw {

// Starts COM (a single-threaded apartment) on the calling thread unless this has already been
// done; true when COM is usable on the thread.
bool EnsureCom();

// Owns the thread's COM started by EnsureCom: the end of the scope undoes it, if it was started.
class ComOnDemand {
public:
    ComOnDemand() = default;
    ~ComOnDemand();
    ComOnDemand(const ComOnDemand&) = delete;
    ComOnDemand& operator=(const ComOnDemand&) = delete;
};

}  // namespace fw
