#include "BaseFilter.h"

#include <cwchar>

#include "MediaTypes.h"
#include "OutputPin.h"

namespace navigator {

BaseFilter::BaseFilter(const CLSID& clsid) : mClsid(clsid) {}

BaseFilter::~BaseFilter() = default;

HRESULT BaseFilter::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
        *out = static_cast<IBaseFilter*>(this);
        AddRef();
        return S_OK;
    }
    return QueryOther(iid, out);
}

ULONG BaseFilter::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&mRefs));
}

ULONG BaseFilter::Release() {
    LONG left = ::InterlockedDecrement(&mRefs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT BaseFilter::GetClassID(CLSID* id) {
    if (!id) return E_POINTER;
    *id = mClsid;
    return S_OK;
}

void BaseFilter::AddPin(OutputPin* pin) {
    mPins.push_back(pin);
}

HRESULT BaseFilter::Stop() {
    Lock lock(mStateLock);
    if (State() == State_Stopped) return S_OK;
    SetState(State_Stopped, 0);
    OnStop();
    for (OutputPin* pin : mPins)
        pin->Inactive();
    OnStopped();
    return S_OK;
}

HRESULT BaseFilter::Pause() {
    Lock lock(mStateLock);
    FILTER_STATE was = State();
    if (was == State_Paused) return S_OK;
    bool fromStop = was == State_Stopped;
    if (fromStop) {
        for (OutputPin* pin : mPins)
            pin->Active();
    }
    SetState(State_Paused, fromStop ? 0 : StreamTime());
    OnPause(fromStop);
    return S_OK;
}

HRESULT BaseFilter::Run(REFERENCE_TIME start) {
    Lock lock(mStateLock);
    if (State() == State_Stopped) {
        for (OutputPin* pin : mPins)
            pin->Active();
    }
    {
        Lock info(mInfoLock);
        mStart = start;
        mState = State_Running;
    }
    OnRun(start);
    return S_OK;
}

HRESULT BaseFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    *state = State();
    return S_OK;
}

void BaseFilter::SetState(FILTER_STATE state, REFERENCE_TIME pausedAt) {
    Lock info(mInfoLock);
    mState = state;
    mPausedAt = pausedAt;
}

FILTER_STATE BaseFilter::State() {
    Lock info(mInfoLock);
    return mState;
}

REFERENCE_TIME BaseFilter::StreamTime() {
    Lock info(mInfoLock);
    if (mState == State_Stopped) return 0;
    if (mState == State_Paused || !mClock) return mPausedAt;
    REFERENCE_TIME now = 0;
    if (FAILED(mClock->GetTime(&now))) return mPausedAt;
    return now - mStart;
}

HRESULT BaseFilter::SetSyncSource(IReferenceClock* clock) {
    Lock info(mInfoLock);
    mClock = clock;
    return S_OK;
}

HRESULT BaseFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    Lock info(mInfoLock);
    *clock = mClock.Get();
    if (*clock) (*clock)->AddRef();
    return S_OK;
}

HRESULT BaseFilter::EnumPins(IEnumPins** out) {
    if (!out) return E_POINTER;
    std::vector<IPin*> pins(mPins.begin(), mPins.end());
    *out = NewPinEnum(pins);
    return S_OK;
}

HRESULT BaseFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (!pin) return E_POINTER;
    *pin = nullptr;
    if (!id) return E_POINTER;
    for (OutputPin* p : mPins) {
        if (std::wcscmp(p->Name(), id) == 0) {
            *pin = p;
            p->AddRef();
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

HRESULT BaseFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    Lock lock(mInfoLock);
    std::wcsncpy(info->achName, mName.c_str(), MAX_FILTER_NAME - 1);
    info->achName[MAX_FILTER_NAME - 1] = 0;
    info->pGraph = mGraph;
    if (mGraph) mGraph->AddRef();
    return S_OK;
}

HRESULT BaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    Lock lock(mInfoLock);
    mGraph = graph;
    mName = name ? name : L"";
    mSink = nullptr;
    if (graph && SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&mSink))))
        mSink->Release();  // the graph outlives its filters' membership
    return S_OK;
}

void BaseFilter::Notify(long code, LONG_PTR p1, LONG_PTR p2) {
    IMediaEventSink* sink;
    {
        Lock lock(mInfoLock);
        sink = mSink;
    }
    if (sink) sink->Notify(code, p1, p2);
}

}  // namespace navigator
