#include "DeliveryQueue.h"

#include "OutputPin.h"

namespace navigator {

namespace {
constexpr size_t kSpareBuffers = 4;
}

DeliveryQueue::DeliveryQueue(OutputPin& pin, DeliveryListener& listener, size_t maxSamples)
    : mPin(pin), mListener(listener), mMaxSamples(maxSamples) {}

DeliveryQueue::~DeliveryQueue() {
    Quit();
}

void DeliveryQueue::Start() {
    mThread.Start(ThreadMain, this);
}

void DeliveryQueue::Quit() {
    {
        Lock lock(mLock);
        mQuit = true;
        mItems.clear();
        mSamples = 0;
        UpdateEvents();
    }
    mWork.Set();
    mThread.Join();
}

void DeliveryQueue::UpdateEvents() {
    if (mSamples < mMaxSamples)
        mRoom.Set();
    else
        mRoom.Reset();
    if (mItems.empty() && !mBusy)
        mIdle.Set();
    else
        mIdle.Reset();
    if (mBusy)
        mOutOfPin.Reset();
    else
        mOutOfPin.Set();
    if (!mItems.empty() || mQuit)
        mWork.Set();
    else
        mWork.Reset();
}

bool DeliveryQueue::HasRoom() {
    Lock lock(mLock);
    return mSamples < mMaxSamples;
}

void DeliveryQueue::Push(Delivery&& item) {
    Lock lock(mLock);
    if (mQuit) return;
    ++mSamples;
    mItems.push_back(std::move(item));
    UpdateEvents();
}

void DeliveryQueue::PushEvent(long code, LONG_PTR p1, LONG_PTR p2) {
    Delivery item;
    item.kind = Delivery::Kind::Event;
    item.code = code;
    item.p1 = p1;
    item.p2 = p2;
    Lock lock(mLock);
    if (mQuit) return;
    mItems.push_back(std::move(item));
    UpdateEvents();
}

void DeliveryQueue::Flush() {
    std::deque<Delivery> dropped;
    {
        Lock lock(mLock);
        ++mGeneration;
        dropped.swap(mItems);
        mSamples = 0;
        UpdateEvents();
    }
    // Events keep their order and are told now; their samples are gone.
    for (Delivery& d : dropped) {
        if (d.kind == Delivery::Kind::Event) {
            mListener.OnQueuedEvent(d.code, d.p1, d.p2);
            continue;
        }
        Lock lock(mLock);
        if (mSpare.size() < kSpareBuffers) mSpare.push_back(std::move(d.bytes));
    }
    // The renderer lets go of a sample it holds back until its time, and refuses samples
    // until the flush ends; the thread then finishes the one it has.
    mPin.DeliverBeginFlush();
    mIdle.Wait(5000);
    mPin.DeliverEndFlush();
}

void DeliveryQueue::Discard() {
    std::deque<Delivery> dropped;
    {
        Lock lock(mLock);
        ++mGeneration;
        dropped.swap(mItems);
        mSamples = 0;
        UpdateEvents();
    }
    for (Delivery& d : dropped)
        if (d.kind == Delivery::Kind::Event) mListener.OnQueuedEvent(d.code, d.p1, d.p2);
}

bool DeliveryQueue::Idle() {
    Lock lock(mLock);
    return mItems.empty() && !mBusy;
}

std::vector<uint8_t> DeliveryQueue::TakeBuffer() {
    Lock lock(mLock);
    if (mSpare.empty()) return {};
    std::vector<uint8_t> b = std::move(mSpare.back());
    mSpare.pop_back();
    return b;
}

DWORD WINAPI DeliveryQueue::ThreadMain(void* self) {
    static_cast<DeliveryQueue*>(self)->Loop();
    return 0;
}

void DeliveryQueue::Loop() {
    for (;;) {
        mWork.Wait(INFINITE);
        Delivery item;
        uint32_t generation;
        {
            Lock lock(mLock);
            if (mQuit) return;
            if (mItems.empty()) {
                UpdateEvents();
                continue;
            }
            item = std::move(mItems.front());
            mItems.pop_front();
            if (item.kind == Delivery::Kind::Sample) --mSamples;
            mBusy = true;
            generation = mGeneration;
            UpdateEvents();
        }
        if (item.kind == Delivery::Kind::Event) {
            mListener.OnQueuedEvent(item.code, item.p1, item.p2);
        } else {
            HRESULT hr =
                mPin.DeliverCopy(item.bytes.data(), item.bytes.size(), item.timed ? &item.start : nullptr,
                                 item.timed ? &item.stop : nullptr, item.discontinuity);
            bool current;
            {
                Lock lock(mLock);
                current = generation == mGeneration;
            }
            if (hr == S_OK && current) mListener.OnPresented(item);
        }
        Lock lock(mLock);
        mBusy = false;
        if (item.kind == Delivery::Kind::Sample && mSpare.size() < kSpareBuffers)
            mSpare.push_back(std::move(item.bytes));
        UpdateEvents();
    }
}

}  // namespace navigator
