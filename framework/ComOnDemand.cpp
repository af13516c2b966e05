#include "ComOnDemand.h"

#include <objbase.h>

namespace fw {

namespace {
enum class ComState { NotAsked, Started, Failed };
thread_local ComState tState = ComState::NotAsked;
}  // namespace

bool EnsureCom() {
    if (tState == ComState::NotAsked) tState = SUCCEEDED(::CoInitialize(nullptr)) ? ComState::Started : ComState::Failed;
    return tState == ComState::Started;
}

ComOnDemand::~ComOnDemand() {
    if (tState == ComState::Started) ::CoUninitialize();
    tState = ComState::NotAsked;
}

}  // namespace fw
