// One output pin's delivery thread and the queue in front of it. The reading thread decodes
// ahead and queues samples and events in their order; the delivery thread hands samples to the
// renderer, whose Receive returns when the sample is due, and reports each presented sample and
// each event as it comes to its turn, so that what the navigator says matches what is seen.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <cstdint>
#include <deque>
#include <vector>

#include "Sync.h"

namespace navigator {

class OutputPin;

// Where a picture lies on the disc: what the navigator reports once it is shown.
struct DiscPosition {
    int domain = 0;  // DVD_DOMAIN
    unsigned title = 0, chapter = 0;
    int64_t timeMs = 0;
    unsigned fps = 25;
};

struct Delivery {
    enum class Kind { Sample, Event };
    Kind kind = Kind::Sample;
    std::vector<uint8_t> bytes;
    bool timed = false;
    REFERENCE_TIME start = 0, stop = 0;
    bool discontinuity = false;
    bool positioned = false;
    DiscPosition position;
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
};

// What the delivery thread reports.
class DeliveryListener {
public:
    virtual void OnPresented(const Delivery& sample) = 0;
    virtual void OnQueuedEvent(long code, LONG_PTR p1, LONG_PTR p2) = 0;

protected:
    ~DeliveryListener() = default;
};

class DeliveryQueue {
public:
    DeliveryQueue(OutputPin& pin, DeliveryListener& listener, size_t maxSamples);
    ~DeliveryQueue();
    DeliveryQueue(const DeliveryQueue&) = delete;
    DeliveryQueue& operator=(const DeliveryQueue&) = delete;

    void Start();
    void Quit();

    // Room for one more sample now.
    bool HasRoom();
    // Signalled while there is room; the reading thread waits on it with its own events.
    HANDLE RoomEvent() { return mRoom.Get(); }
    // Queues a sample; the caller checked HasRoom (an extra one is tolerated).
    void Push(Delivery&& item);
    // Events never wait for room.
    void PushEvent(long code, LONG_PTR p1, LONG_PTR p2);

    // Drops queued samples and flushes the renderer, reporting queued events at once. Returns
    // when the delivery thread no longer holds a sample of before the flush.
    void Flush();
    // Drops queued samples without telling the renderer (the graph stopped).
    void Discard();
    // Nothing queued and nothing being delivered.
    bool Idle();
    HANDLE IdleEvent() { return mIdle.Get(); }
    // Waits until the thread is out of the pin. Once the pin's allocator is decommitted it takes
    // no new buffer, so after this no sample of this queue is inside the renderer any more.
    // (The delivery thread itself, stopping the graph from an event it tells, does not wait.)
    void WaitOutOfPin(DWORD timeoutMs) {
        if (!mThread.IsCurrent()) mOutOfPin.Wait(timeoutMs);
    }

    // A buffer for the next sample, reused from delivered ones.
    std::vector<uint8_t> TakeBuffer();

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Loop();
    void UpdateEvents();  // with mLock held

    OutputPin& mPin;
    DeliveryListener& mListener;
    size_t mMaxSamples;
    CriticalSection mLock;
    std::deque<Delivery> mItems;
    size_t mSamples = 0;
    bool mBusy = false;  // the thread holds an item
    bool mQuit = false;
    uint32_t mGeneration = 0;  // flushes so far; a sample of an older one is not reported
    std::vector<std::vector<uint8_t>> mSpare;
    Event mWork{true, false};
    Event mRoom{true, true};
    Event mIdle{true, true};
    Event mOutOfPin{true, true};
    Thread mThread;
};

}  // namespace navigator
