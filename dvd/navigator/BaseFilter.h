// A source filter's common part: IBaseFilter with its reference count, state, clock, graph
// membership and event sink, over output pins the derived filter owns. The derived filter hears
// of state changes through OnStop / OnPause / OnRun and may answer further interfaces.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "Sync.h"

namespace navigator {

class OutputPin;

class BaseFilter : public IBaseFilter {
public:
    explicit BaseFilter(const CLSID& clsid);
    virtual ~BaseFilter();
    BaseFilter(const BaseFilter&) = delete;
    BaseFilter& operator=(const BaseFilter&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Pause() override;
    HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
    HRESULT STDMETHODCALLTYPE GetState(DWORD timeout, FILTER_STATE* state) override;
    HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
    HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** out) override;
    HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
    HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR*) override { return E_NOTIMPL; }

    // Sends an event to the graph's queue (nothing outside a graph). Any thread.
    void Notify(long code, LONG_PTR p1, LONG_PTR p2);
    FILTER_STATE State();
    // The stream time now: running, the clock's time since Run's start; paused, where it stopped;
    // stopped, 0.
    REFERENCE_TIME StreamTime();
    IFilterGraph* Graph() const { return mGraph; }  // not held: the graph holds its filters

protected:
    void AddPin(OutputPin* pin);
    // Called with the state lock held, after the pins were committed (pause from stop) or before
    // they are decommitted (stop).
    virtual void OnStop() {}
    virtual void OnStopped() {}  // after the pins were decommitted
    virtual void OnPause(bool /*fromStop*/) {}
    virtual void OnRun(REFERENCE_TIME /*start*/) {}
    // Interfaces beyond the filter's own; E_NOINTERFACE when none.
    virtual HRESULT QueryOther(REFIID, void** out) {
        *out = nullptr;
        return E_NOINTERFACE;
    }

    CriticalSection mStateLock;

private:
    void SetState(FILTER_STATE state, REFERENCE_TIME pausedAt);

    LONG mRefs = 1;
    CLSID mClsid;
    std::vector<OutputPin*> mPins;
    FILTER_STATE mState = State_Stopped;
    REFERENCE_TIME mStart = 0;
    REFERENCE_TIME mPausedAt = 0;  // the stream time a pause froze
    Microsoft::WRL::ComPtr<IReferenceClock> mClock;
    IFilterGraph* mGraph = nullptr;
    IMediaEventSink* mSink = nullptr;  // the graph's, not held either
    std::wstring mName;
    CriticalSection mInfoLock;  // graph, sink, name and clock; never held while calling out
};

}  // namespace navigator
