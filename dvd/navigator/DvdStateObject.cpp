#include "DvdStateObject.h"

#include <cstring>
#include <vector>

#include "Sync.h"

namespace navigator {

namespace {

LONG gLive = 0;

class DvdState final : public IDvdState, public IPersistStream {
public:
    explicit DvdState(const StateClass& kind) : mKind(kind) { ::InterlockedIncrement(&gLive); }
    ~DvdState() { ::InterlockedDecrement(&gLive); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDvdState)
            *out = static_cast<IDvdState*>(this);
        else if (iid == IID_IPersist || iid == IID_IPersistStream)
            *out = static_cast<IPersistStream*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&mRefs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = ::InterlockedDecrement(&mRefs);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetDiscID(ULONGLONG* id) override {
        Trace("State.GetDiscID");
        if (!id) return E_POINTER;
        if (!mLoaded) return E_UNEXPECTED;
        *id = mState.discId;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetParentalLevel(ULONG* level) override {
        Trace("State.GetParentalLevel");
        if (!level) return E_POINTER;
        if (!mLoaded) return E_UNEXPECTED;
        *level = mState.parentalLevel;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        if (!id) return E_POINTER;
        *id = mKind.clsid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return mLoaded ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override {
        Trace("State.Load");
        if (!stream) return E_POINTER;
        uint8_t bytes[kSavedStateBytes];
        ULONG got = 0;
        HRESULT hr = stream->Read(bytes, sizeof bytes, &got);
        if (FAILED(hr)) return hr;
        SavedState state;
        switch (ParseState(bytes, got, state)) {
            case StateParse::Ok:
                break;
            case StateParse::WrongVersion:
                return VFW_E_DVD_STATE_WRONG_VERSION;
            case StateParse::Corrupt:
                return VFW_E_DVD_STATE_CORRUPT;
        }
        mState = state;
        mLoaded = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, WINBOOL) override {
        Trace("State.Save");
        if (!stream) return E_POINTER;
        if (!mLoaded) return E_UNEXPECTED;
        std::vector<uint8_t> bytes = SerializeState(mState);
        ULONG written = 0;
        HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
        if (FAILED(hr)) return hr;
        return written == bytes.size() ? S_OK : STG_E_MEDIUMFULL;
    }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override {
        if (!size) return E_POINTER;
        size->QuadPart = kSavedStateBytes;
        return S_OK;
    }

    void Set(const SavedState& state) {
        mState = state;
        mLoaded = true;
    }
    bool Get(SavedState& state) const {
        if (!mLoaded) return false;
        state = mState;
        return true;
    }

private:
    void Trace(const char* call) const {
        if (mKind.trace) mKind.trace(call);
    }

    LONG mRefs = 1;
    StateClass mKind;
    SavedState mState;
    bool mLoaded = false;
};

class StateFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // a static object
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return CreateEmptyDvdState(kNavigatorStateClass, iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(WINBOOL) override { return S_OK; }
};

StateFactory gFactory;
CriticalSection gRegistrationLock;
int gRegistrations = 0;
DWORD gCookie = 0;

}  // namespace

HRESULT CreateDvdState(const SavedState& state, const StateClass& kind, IDvdState** out) {
    if (!out) return E_POINTER;
    auto* s = new DvdState(kind);
    s->Set(state);
    *out = s;
    return S_OK;
}

HRESULT CreateEmptyDvdState(const StateClass& kind, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    auto* s = new DvdState(kind);
    HRESULT hr = s->QueryInterface(iid, out);
    s->Release();
    return hr;
}

bool ReadDvdState(IDvdState* state, REFCLSID clsid, SavedState& out) {
    if (!state) return false;
    // Only states of this class can be read; another navigator's are not ours to interpret.
    IPersist* persist = nullptr;
    if (FAILED(state->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)))) return false;
    CLSID id = {};
    HRESULT hr = persist->GetClassID(&id);
    persist->Release();
    if (FAILED(hr) || id != clsid) return false;
    return static_cast<DvdState*>(state)->Get(out);
}

HRESULT RegisterStateClass() {
    Lock lock(gRegistrationLock);
    if (gRegistrations++ > 0) return S_OK;
    HRESULT hr = ::CoRegisterClassObject(kNavigatorStateClsid, &gFactory, CLSCTX_INPROC_SERVER,
                                         REGCLS_MULTIPLEUSE, &gCookie);
    if (FAILED(hr)) {
        gRegistrations = 0;
        gCookie = 0;
    }
    return hr;
}

void RevokeStateClass() {
    Lock lock(gRegistrationLock);
    if (gRegistrations == 0 || --gRegistrations > 0) return;
    if (gCookie) ::CoRevokeClassObject(gCookie);
    gCookie = 0;
}

LONG LiveStateObjects() {
    return gLive;
}

}  // namespace navigator
