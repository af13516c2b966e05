// Which other starts of this program count as made together with ours: real processes of this
// very test program, one of which waits for the word of the test that started it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "Handles.h"
#include "ProcessTime.h"
#include "StartsMadeTogether.h"

namespace {

constexpr char kEventVariable[] = "TESMARO_STARTS_TOGETHER_EVENT";
constexpr char kEventName[] = "TesmaroStartsTogetherTest.Release";

// This test program again, running only the test below that waits for the event.
fw::KernelHandle StartWaitingCopy() {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string line = std::string("\"") + self + "\" --gtest_filter=StartsMadeTogetherCopy.*";
    ::SetEnvironmentVariableA(kEventVariable, kEventName);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    BOOL started = ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableA(kEventVariable, nullptr);
    if (!started) return {};
    ::CloseHandle(pi.hThread);
    return fw::KernelHandle(pi.hProcess);
}

}  // namespace

TEST(StartsMadeTogether, OneCountsWhileItRunsAndForAMomentAfterItEnds) {
    fw::KernelHandle release(::CreateEventA(nullptr, TRUE, FALSE, kEventName));
    fw::KernelHandle copy = StartWaitingCopy();
    ASSERT_TRUE(copy);
    StartsMadeTogether starts;
    starts.Take();
    // A hand-over it sent now: it still runs, so it joins however late after our own file.
    DWORD sentWhileRunning = ::GetTickCount();
    EXPECT_TRUE(starts.RanShortlyBefore(sentWhileRunning, 1000));
    EXPECT_TRUE(starts.Sent(StartsMadeTogether::kLongestMs - 1, sentWhileRunning));

    ::SetEvent(release.Get());
    ASSERT_EQ(::WaitForSingleObject(copy.Get(), 60000), WAIT_OBJECT_0);
    DWORD endedAt = ::GetTickCount();
    // Its hand-over, taken from the queue only now, was sent while it ran.
    EXPECT_TRUE(starts.RanShortlyBefore(sentWhileRunning, 1000));
    EXPECT_TRUE(starts.RanShortlyBefore(endedAt, 1000));
    // Once it has been gone for longer than the moment, a new hand-over is not its.
    while (::GetTickCount() - endedAt < 1500)
        ::Sleep(50);
    EXPECT_FALSE(starts.RanShortlyBefore(::GetTickCount(), 1000));
    EXPECT_TRUE(starts.RanShortlyBefore(sentWhileRunning, 1000));
}

TEST(StartsMadeTogether, AloneOnlyAsLongAsOurOwnStartTookAndAMomentCounts) {
    DWORD ranBefore = fw::MillisecondsRunning(::GetCurrentProcess());
    StartsMadeTogether starts;
    starts.Take();
    DWORD now = ::GetTickCount();
    EXPECT_FALSE(starts.RanShortlyBefore(now, 1000));
    // A start made just after ours needs about as long as ours to reach us.
    EXPECT_TRUE(starts.Sent(0, now));
    EXPECT_TRUE(starts.Sent(StartsMadeTogether::kMomentMs + static_cast<LONG>(ranBefore) - 1, now));
    EXPECT_FALSE(starts.Sent(StartsMadeTogether::kLongestMs, now));
}

// Only as the copy that the first test starts: runs until that test gives the word.
TEST(StartsMadeTogetherCopy, WaitsForTheWord) {
    const char* name = std::getenv(kEventVariable);
    if (!name) GTEST_SKIP() << "runs only as the copy another test starts";
    fw::KernelHandle release(::OpenEventA(SYNCHRONIZE, FALSE, name));
    ASSERT_TRUE(release);
    EXPECT_EQ(::WaitForSingleObject(release.Get(), 60000), WAIT_OBJECT_0);
}
