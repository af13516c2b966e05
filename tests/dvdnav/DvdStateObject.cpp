// The navigator double's IDvdState: a bookmark of one disc's location, persisted through
// IPersistStream so that OleSaveToStream / OleLoadFromStream handle it as they would the
// platform's.
#include <cstring>

#include "Navigator.h"
#include "NavigatorFixture.h"

namespace dvdnav {

namespace {

constexpr char kMagic[4] = {'T', 'M', 'D', 'S'};
constexpr uint32_t kVersion = 1;

#pragma pack(push, 1)
struct Persisted {
    char magic[4];
    uint32_t version;
    unsigned long long disc;
    uint32_t domain, title, chapter, posMs, audio, subpicture, subpictureOn, angle, menuButton, parental;
};
#pragma pack(pop)

class DvdState final : public IDvdState, public IPersistStream {
public:
    DvdState() { ObjectCreated(); }
    ~DvdState() { ObjectDestroyed(); }

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
        Record("State.GetDiscID");
        if (!id) return E_POINTER;
        if (!mLoaded) return E_UNEXPECTED;
        *id = mData.disc;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetParentalLevel(ULONG* level) override {
        Record("State.GetParentalLevel");
        if (!level) return E_POINTER;
        if (!mLoaded) return E_UNEXPECTED;
        *level = mData.parental;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        if (!id) return E_POINTER;
        *id = kDvdStateClsid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override {
        Record("State.Load");
        if (!stream) return E_POINTER;
        Persisted data;
        ULONG got = 0;
        HRESULT hr = stream->Read(&data, sizeof data, &got);
        if (FAILED(hr)) return hr;
        if (got != sizeof data || std::memcmp(data.magic, kMagic, 4) != 0) return VFW_E_DVD_STATE_CORRUPT;
        if (data.version != kVersion) return VFW_E_DVD_STATE_WRONG_VERSION;
        mData = data;
        mLoaded = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, WINBOOL) override {
        Record("State.Save");
        if (!stream) return E_POINTER;
        if (!mLoaded) return E_UNEXPECTED;
        ULONG written = 0;
        HRESULT hr = stream->Write(&mData, sizeof mData, &written);
        return FAILED(hr) ? hr : written == sizeof mData ? S_OK : STG_E_MEDIUMFULL;
    }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override {
        if (!size) return E_POINTER;
        size->QuadPart = sizeof(Persisted);
        return S_OK;
    }

    void Set(const Location& loc, unsigned long long disc, unsigned parental) {
        std::memcpy(mData.magic, kMagic, 4);
        mData.version = kVersion;
        mData.disc = disc;
        mData.domain = static_cast<uint32_t>(loc.domain);
        mData.title = loc.title;
        mData.chapter = loc.chapter;
        mData.posMs = static_cast<uint32_t>(loc.posMs);
        mData.audio = loc.audio;
        mData.subpicture = loc.subpicture;
        mData.subpictureOn = loc.subpictureOn;
        mData.angle = loc.angle;
        mData.menuButton = loc.menuButton;
        mData.parental = parental;
        mLoaded = true;
    }
    bool Get(Location& loc, unsigned long long& disc) const {
        if (!mLoaded) return false;
        disc = mData.disc;
        loc.domain = static_cast<DVD_DOMAIN>(mData.domain);
        loc.title = mData.title;
        loc.chapter = mData.chapter;
        loc.posMs = mData.posMs;
        loc.audio = mData.audio;
        loc.subpicture = mData.subpicture;
        loc.subpictureOn = mData.subpictureOn != 0;
        loc.angle = mData.angle;
        loc.menuButton = mData.menuButton;
        return true;
    }

private:
    LONG mRefs = 1;
    Persisted mData = {};
    bool mLoaded = false;
};

}  // namespace

HRESULT CreateDvdState(const Location& loc, unsigned long long discId, unsigned parentalLevel,
                       IDvdState** out) {
    auto* state = new DvdState;
    state->Set(loc, discId, parentalLevel);
    *out = state;
    return S_OK;
}

HRESULT CreateDvdStateObject(REFIID iid, void** out) {
    auto* state = new DvdState;
    HRESULT hr = state->QueryInterface(iid, out);
    state->Release();
    return hr;
}

bool ReadDvdState(IDvdState* state, Location& loc, unsigned long long& discId) {
    // Only states of this navigator can be read; the class identifier says which those are.
    IPersist* persist = nullptr;
    if (FAILED(state->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)))) return false;
    CLSID id = {};
    HRESULT hr = persist->GetClassID(&id);
    persist->Release();
    if (FAILED(hr) || id != kDvdStateClsid) return false;
    return static_cast<DvdState*>(state)->Get(loc, discId);
}

}  // namespace dvdnav
