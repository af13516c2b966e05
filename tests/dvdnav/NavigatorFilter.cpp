#include <cmath>
#include <cstdio>
#include <cstring>

#include "Navigator.h"
#include "NavigatorFixture.h"

namespace dvdnav {

namespace {

// {4E1A7C3B-2D5F-4B8E-9C61-7A3D5E0F1B22}
const CLSID kNavigatorClsid = {0x4e1a7c3b, 0x2d5f, 0x4b8e, {0x9c, 0x61, 0x7a, 0x3d, 0x5e, 0x0f, 0x1b, 0x22}};

void FillMediaType(AM_MEDIA_TYPE& mt, bool audio) {
    std::memset(&mt, 0, sizeof mt);
    if (audio) {
        mt.majortype = MEDIATYPE_Audio;
        mt.subtype = MEDIASUBTYPE_PCM;
        mt.bFixedSizeSamples = TRUE;
        mt.lSampleSize = 4;
        mt.formattype = FORMAT_WaveFormatEx;
        auto* wf = static_cast<WAVEFORMATEX*>(::CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
        *wf = WAVEFORMATEX{WAVE_FORMAT_PCM, 2, 48000, 48000 * 4, 4, 16, 0};
        mt.cbFormat = sizeof(WAVEFORMATEX);
        mt.pbFormat = reinterpret_cast<BYTE*>(wf);
        return;
    }
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB32;
    mt.bFixedSizeSamples = TRUE;
    mt.lSampleSize = kWidth * kHeight * 4;
    mt.formattype = FORMAT_VideoInfo;
    auto* vih = static_cast<VIDEOINFOHEADER*>(::CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
    std::memset(vih, 0, sizeof *vih);
    vih->AvgTimePerFrame = 10000000 / 4;
    vih->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih->bmiHeader.biWidth = kWidth;
    vih->bmiHeader.biHeight = kHeight;
    vih->bmiHeader.biPlanes = 1;
    vih->bmiHeader.biBitCount = 32;
    vih->bmiHeader.biCompression = BI_RGB;
    vih->bmiHeader.biSizeImage = static_cast<DWORD>(mt.lSampleSize);
    mt.cbFormat = sizeof(VIDEOINFOHEADER);
    mt.pbFormat = reinterpret_cast<BYTE*>(vih);
}

void FreeMediaType(AM_MEDIA_TYPE& mt) {
    if (mt.pbFormat) ::CoTaskMemFree(mt.pbFormat);
    mt.pbFormat = nullptr;
    if (mt.pUnk) mt.pUnk->Release();
    mt.pUnk = nullptr;
}

class OneType final : public IEnumMediaTypes {
public:
    explicit OneType(bool audio) : mAudio(audio) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IEnumMediaTypes) {
            *out = static_cast<IEnumMediaTypes*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&mRefs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = ::InterlockedDecrement(&mRefs);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override {
        ULONG n = 0;
        if (count > 0 && mAt == 0) {
            types[0] = static_cast<AM_MEDIA_TYPE*>(::CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
            FillMediaType(*types[0], mAudio);
            mAt = n = 1;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        mAt += count;
        return mAt <= 1 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        mAt = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumMediaTypes** out) override {
        auto* copy = new OneType(mAudio);
        copy->mAt = mAt;
        *out = copy;
        return S_OK;
    }

private:
    LONG mRefs = 1;
    ULONG mAt = 0;
    bool mAudio;
};

class TwoPins final : public IEnumPins {
public:
    TwoPins(IPin* video, IPin* audio) : mPins{video, audio} {
        for (IPin* p : mPins)
            p->AddRef();
    }
    ~TwoPins() {
        for (IPin* p : mPins)
            p->Release();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IEnumPins) {
            *out = static_cast<IEnumPins*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&mRefs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = ::InterlockedDecrement(&mRefs);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IPin** pins, ULONG* fetched) override {
        ULONG n = 0;
        while (n < count && mAt < 2) {
            pins[n] = mPins[mAt++];
            pins[n++]->AddRef();
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        mAt += count;
        return mAt <= 2 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        mAt = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumPins** out) override {
        auto* copy = new TwoPins(mPins[0], mPins[1]);
        copy->mAt = mAt;
        *out = copy;
        return S_OK;
    }

private:
    LONG mRefs = 1;
    IPin* mPins[2];
    ULONG mAt = 0;
};

const char* DomainName(DVD_DOMAIN d) {
    switch (d) {
        case DVD_DOMAIN_FirstPlay:
            return "First play";
        case DVD_DOMAIN_VideoManagerMenu:
            return "Title menu";
        case DVD_DOMAIN_VideoTitleSetMenu:
            return "Root menu";
        case DVD_DOMAIN_Title:
            return "Title";
        case DVD_DOMAIN_Stop:
            return "Stopped";
    }
    return "?";
}

}  // namespace

// --- the output pin ---

HRESULT OutputPin::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IPin) {
        *out = static_cast<IPin*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}
ULONG OutputPin::AddRef() {
    return mNav.AddRef();
}
ULONG OutputPin::Release() {
    return mNav.Release();
}

HRESULT OutputPin::Connect(IPin* receiver, const AM_MEDIA_TYPE* wanted) {
    if (!receiver) return E_POINTER;
    if (mPeer) return VFW_E_ALREADY_CONNECTED;
    if (wanted && wanted->majortype != GUID_NULL &&
        wanted->majortype != (mAudio ? MEDIATYPE_Audio : MEDIATYPE_Video))
        return VFW_E_TYPE_NOT_ACCEPTED;
    AM_MEDIA_TYPE mt;
    FillMediaType(mt, mAudio);
    HRESULT hr = receiver->ReceiveConnection(this, &mt);
    FreeMediaType(mt);
    if (FAILED(hr)) return hr;
    IMemInputPin* input = nullptr;
    hr = receiver->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input));
    if (FAILED(hr)) {
        receiver->Disconnect();
        return hr;
    }
    IMemAllocator* allocator = nullptr;
    if (FAILED(input->GetAllocator(&allocator)))
        hr = ::CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                reinterpret_cast<void**>(&allocator));
    if (SUCCEEDED(hr)) {
        ALLOCATOR_PROPERTIES want = {2, mAudio ? kAudioChunk : kWidth * kHeight * 4, 1, 0}, got = {};
        hr = allocator->SetProperties(&want, &got);
        if (SUCCEEDED(hr)) hr = input->NotifyAllocator(allocator, FALSE);
    }
    if (FAILED(hr)) {
        if (allocator) allocator->Release();
        input->Release();
        receiver->Disconnect();
        return hr;
    }
    mDisconnecting = false;
    mPeer = receiver;
    mPeer->AddRef();
    mInput = input;
    mAllocator = allocator;
    return S_OK;
}

HRESULT OutputPin::Disconnect() {
    if (!mPeer) return S_FALSE;
    // The graph stops before it disconnects, which ends any delivery; wait for its last steps.
    mDisconnecting = true;
    for (int i = 0; i < 200 && mDelivering > 0; ++i)
        ::Sleep(10);
    mAllocator->Release();
    mInput->Release();
    mPeer->Release();
    mAllocator = nullptr;
    mInput = nullptr;
    mPeer = nullptr;
    return S_OK;
}

HRESULT OutputPin::ConnectedTo(IPin** pin) {
    *pin = mPeer;
    if (!mPeer) return VFW_E_NOT_CONNECTED;
    mPeer->AddRef();
    return S_OK;
}

HRESULT OutputPin::ConnectionMediaType(AM_MEDIA_TYPE* mt) {
    if (!mPeer) {
        std::memset(mt, 0, sizeof *mt);
        return VFW_E_NOT_CONNECTED;
    }
    FillMediaType(*mt, mAudio);
    return S_OK;
}

HRESULT OutputPin::QueryPinInfo(PIN_INFO* info) {
    info->pFilter = &mNav;
    mNav.AddRef();
    info->dir = PINDIR_OUTPUT;
    wcscpy(info->achName, mAudio ? L"Audio" : L"Video");
    return S_OK;
}

HRESULT OutputPin::QueryId(LPWSTR* id) {
    *id = static_cast<LPWSTR>(::CoTaskMemAlloc(sizeof(L"Video")));
    wcscpy(*id, mAudio ? L"Audio" : L"Video");
    return S_OK;
}

HRESULT OutputPin::QueryAccept(const AM_MEDIA_TYPE* mt) {
    if (mAudio) return mt->majortype == MEDIATYPE_Audio && mt->subtype == MEDIASUBTYPE_PCM ? S_OK : S_FALSE;
    return mt->majortype == MEDIATYPE_Video && mt->subtype == MEDIASUBTYPE_RGB32 ? S_OK : S_FALSE;
}

HRESULT OutputPin::EnumMediaTypes(IEnumMediaTypes** out) {
    *out = new OneType(mAudio);
    return S_OK;
}

void OutputPin::Commit(bool on) {
    if (!mAllocator) return;
    if (on)
        mAllocator->Commit();
    else
        mAllocator->Decommit();
}

bool OutputPin::Deliver(const void* bits, size_t size) {
    // A disconnection waits for a delivery under way (see Disconnect).
    struct Busy {
        LONG& count;
        explicit Busy(LONG& c) : count(c) { ::InterlockedIncrement(&count); }
        ~Busy() { ::InterlockedDecrement(&count); }
    } busy(mDelivering);
    if (mDisconnecting || !mInput || !mAllocator) return false;
    IMediaSample* sample = nullptr;
    if (FAILED(mAllocator->GetBuffer(&sample, nullptr, nullptr, 0))) return false;
    BYTE* data = nullptr;
    bool ok = false;
    if (SUCCEEDED(sample->GetPointer(&data)) && static_cast<size_t>(sample->GetSize()) >= size) {
        std::memcpy(data, bits, size);
        sample->SetActualDataLength(static_cast<long>(size));
        sample->SetTime(nullptr, nullptr);  // shown when it arrives
        sample->SetSyncPoint(TRUE);
        ok = SUCCEEDED(mInput->Receive(sample));
    }
    sample->Release();
    return ok;
}

// --- the filter ---

Navigator::Navigator(const Script& script, const Disc& disc, bool hasDisc)
    : mScript(script), mDisc(disc), mHasDisc(hasDisc), mParentalLevel(script.parentalLevel) {
    ::InitializeCriticalSection(&mLock);
    mLoc.domain = DVD_DOMAIN_FirstPlay;
    mQuit = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    mControlThread = ::CreateThread(nullptr, 0, ControlThread, this, 0, nullptr);
    mFrameThread = ::CreateThread(nullptr, 0, FrameThread, this, 0, nullptr);
    mAudioThread = ::CreateThread(nullptr, 0, AudioThread, this, 0, nullptr);
    ObjectCreated();
}

Navigator::~Navigator() {
    ::SetEvent(mQuit);
    mPin.Commit(false);  // a thread waiting for a buffer gives up
    mAudioPin.Commit(false);
    HANDLE threads[3] = {mControlThread, mFrameThread, mAudioThread};
    ::WaitForMultipleObjects(3, threads, TRUE, 5000);
    for (HANDLE t : threads)
        ::CloseHandle(t);
    ::CloseHandle(mQuit);
    mPin.Disconnect();
    mAudioPin.Disconnect();
    if (mClock) mClock->Release();
    ::DeleteCriticalSection(&mLock);
    ObjectDestroyed();
}

HRESULT Navigator::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
        *out = static_cast<IBaseFilter*>(this);
    } else if (iid == IID_IDvdControl2 && !mScript.oldNavigator) {
        *out = static_cast<IDvdControl2*>(&mControl);
    } else if (iid == IID_IDvdInfo2 && !mScript.oldNavigator) {
        *out = static_cast<IDvdInfo2*>(&mInfo);
    } else if (iid == IID_IDvdControl) {
        *out = static_cast<IDvdControl*>(&mOldControl);
    } else if (iid == IID_IDvdInfo) {
        *out = static_cast<IDvdInfo*>(&mOldInfo);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG Navigator::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&mRefs));
}
ULONG Navigator::Release() {
    LONG left = ::InterlockedDecrement(&mRefs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT Navigator::GetClassID(CLSID* id) {
    *id = kNavigatorClsid;
    return S_OK;
}

HRESULT Navigator::Stop() {
    {
        Guard g(*this);
        mState = State_Stopped;
        // A stop with the reset option set takes the navigator back to the start of the disc.
        if (mOptions[DVD_ResetOnStop] && mFirstPlayDone) {
            mFirstPlayDone = false;
            mCanResume = false;
            mRate = 1.0;
            mStill = false;
            mDvdPaused = false;
            SetDomain(DVD_DOMAIN_Stop);
        }
    }
    mPin.Commit(false);
    mAudioPin.Commit(false);
    return S_OK;
}

HRESULT Navigator::Pause() {
    bool fromStop;
    {
        Guard g(*this);
        fromStop = mState == State_Stopped;
        mState = State_Paused;
        mFrameWanted = true;  // the renderer holds it as the paused picture
        mAudioWanted = true;  // and the audio renderer needs one to finish pausing
    }
    if (fromStop) {
        mPin.Commit(true);
        mAudioPin.Commit(true);
    }
    return S_OK;
}

HRESULT Navigator::Run(REFERENCE_TIME) {
    bool fromStop;
    {
        Guard g(*this);
        fromStop = mState == State_Stopped;
        mState = State_Running;
        if (!mRunEventsSent) {
            mRunEventsSent = true;
            mFirstRunTick = ::GetTickCount();
            for (const auto& e : mScript.events)
                if (e.when == ScriptEvent::When::Run) Send(e.code, e.p1, e.p2);
        }
        if (mHasDisc && (!mFirstPlayDone || mLoc.domain == DVD_DOMAIN_Stop)) StartFirstPlay();
    }
    if (fromStop) {
        mPin.Commit(true);
        mAudioPin.Commit(true);
    }
    return S_OK;
}

HRESULT Navigator::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    Guard g(*this);
    *state = mState;
    return S_OK;
}

HRESULT Navigator::SetSyncSource(IReferenceClock* clock) {
    Guard g(*this);
    if (clock) clock->AddRef();
    if (mClock) mClock->Release();
    mClock = clock;
    return S_OK;
}

HRESULT Navigator::GetSyncSource(IReferenceClock** clock) {
    Guard g(*this);
    *clock = mClock;
    if (mClock) mClock->AddRef();
    return S_OK;
}

HRESULT Navigator::EnumPins(IEnumPins** out) {
    *out = new TwoPins(&mPin, &mAudioPin);
    return S_OK;
}

HRESULT Navigator::FindPin(LPCWSTR id, IPin** pin) {
    if (id && (wcscmp(id, L"Video") == 0 || wcscmp(id, L"Audio") == 0)) {
        *pin = id[0] == L'V' ? &mPin : &mAudioPin;
        AddRef();
        return S_OK;
    }
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
}

HRESULT Navigator::QueryFilterInfo(FILTER_INFO* info) {
    wcsncpy(info->achName, mName.c_str(), MAX_FILTER_NAME - 1);
    info->achName[MAX_FILTER_NAME - 1] = 0;
    info->pGraph = mGraph;
    if (mGraph) mGraph->AddRef();
    return S_OK;
}

HRESULT Navigator::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    Guard g(*this);
    mGraph = graph;
    mName = name ? name : L"";
    mSink = nullptr;
    if (graph && SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&mSink))))
        mSink->Release();  // the graph outlives its filters' membership
    return S_OK;
}

// --- the model ---

bool Navigator::Scripted(const char* method, bool info, HRESULT& hr) {
    Guard g(*this);
    auto f = mScript.fail.find(method);
    if (f == mScript.fail.end() && info) f = mScript.fail.find("*Info");
    if (f != mScript.fail.end()) {
        hr = static_cast<HRESULT>(f->second);
        return true;
    }
    if (mScript.inhibit.count(method)) {
        hr = VFW_E_DVD_OPERATION_INHIBITED;
        return true;
    }
    return false;
}

void Navigator::Send(long code, LONG_PTR p1, LONG_PTR p2) {
    if (code == EC_DVD_STILL_ON && p1 == 1) mStill = true;  // a still the user may end
    if (code == EC_DVD_STILL_OFF) mStill = false;
    if (code == EC_DVD_PARENTAL_LEVEL_CHANGE) mPendingParental = static_cast<unsigned>(p1);
    if (mSink) mSink->Notify(code, p1, p2);
}

void Navigator::SetDomain(DVD_DOMAIN domain) {
    if (mLoc.domain == domain) return;
    mLoc.domain = domain;
    Send(EC_DVD_DOMAIN_CHANGE, domain, 0);
}

void Navigator::EnterTitle(unsigned title, unsigned chapter, double posMs) {
    bool newTitle = title != mLoc.title || mLoc.domain != DVD_DOMAIN_Title;
    SetDomain(DVD_DOMAIN_Title);
    mLoc.title = title;
    mLoc.chapter = chapter;
    mLoc.posMs = posMs;
    mStill = false;
    mAutoStopMs = -1;
    if (newTitle) Send(EC_DVD_TITLE_CHANGE, title, 0);
    Send(EC_DVD_CHAPTER_START, chapter, 0);
    mSecondsSent = -1;
}

void Navigator::EnterMenu(DVD_MENU_ID id) {
    if (InTitle()) {
        mResume = mLoc;
        mCanResume = true;
    }
    mLoc.menuButton = 1;
    SetDomain(id == DVD_MENU_Title ? DVD_DOMAIN_VideoManagerMenu : DVD_DOMAIN_VideoTitleSetMenu);
    Send(EC_DVD_BUTTON_CHANGE, MenuButtons(), 1);
}

unsigned Navigator::ChapterAt(unsigned title, double posMs) const {
    const auto& starts = mDisc.titles[title - 1].chapterStartMs;
    unsigned chapter = 1;
    for (unsigned c = 0; c < starts.size(); ++c)
        if (posMs + 0.5 >= starts[c]) chapter = c + 1;
    return chapter;
}

unsigned Navigator::MenuButtons() const {
    return mScript.menuButtons > 0 ? static_cast<unsigned>(mScript.menuButtons)
                                   : static_cast<unsigned>(mDisc.titles.empty() ? 1 : mDisc.titles.size());
}

RECT Navigator::ButtonRect(unsigned button) const {
    unsigned n = MenuButtons(), cols = n < 6 ? n : 6;
    unsigned i = button - 1, col = i % cols, row = i / cols;
    LONG left =
        static_cast<LONG>((kWidth - static_cast<LONG>(cols) * 110 + 10) / 2 + static_cast<LONG>(col) * 110);
    LONG top = 220 + static_cast<LONG>(row) * 80;
    return RECT{left, top, left + 100, top + 60};
}

bool Navigator::PictureButtonAt(POINT p, unsigned& button) {
    // The point is in the renderer window's client area; the picture fills the renderer's
    // destination rectangle there.
    long left = 0, top = 0, width = 0, height = 0;
    if (mGraph) {
        IBasicVideo* video = nullptr;
        if (SUCCEEDED(mGraph->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&video)))) {
            if (FAILED(video->GetDestinationPosition(&left, &top, &width, &height))) width = height = 0;
            video->Release();
        }
    }
    if (width > 0 && height > 0) {
        p.x = static_cast<LONG>((static_cast<long long>(p.x) - left) * kWidth / width);
        p.y = static_cast<LONG>((static_cast<long long>(p.y) - top) * kHeight / height);
    }
    Guard g(*this);
    for (unsigned b = 1; b <= MenuButtons(); ++b) {
        RECT r = ButtonRect(b);
        if (::PtInRect(&r, p)) {
            button = b;
            return true;
        }
    }
    return false;
}

DVD_HMSF_TIMECODE Navigator::TimeCode(double ms) const {
    unsigned fps = mLoc.title >= 1 && mLoc.title <= mDisc.titles.size() ? CurrentTitle().frameRate : 25;
    auto total = static_cast<unsigned long long>(ms < 0 ? 0 : ms);
    DVD_HMSF_TIMECODE t;
    t.bHours = static_cast<BYTE>(total / 3600000);
    t.bMinutes = static_cast<BYTE>(total / 60000 % 60);
    t.bSeconds = static_cast<BYTE>(total / 1000 % 60);
    t.bFrames = static_cast<BYTE>(total % 1000 * fps / 1000);
    return t;
}

double Navigator::Ms(const DVD_HMSF_TIMECODE& t) const {
    unsigned fps = mLoc.title >= 1 && mLoc.title <= mDisc.titles.size() ? CurrentTitle().frameRate : 25;
    return ((t.bHours * 60.0 + t.bMinutes) * 60.0 + t.bSeconds) * 1000.0 + t.bFrames * 1000.0 / fps;
}

bool Navigator::LoadDisc(const std::wstring& path) {
    std::string folder = Utf8(path.c_str());
    DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        size_t slash = folder.find_last_of("\\/");  // the VIDEO_TS.IFO file itself
        folder = slash == std::string::npos ? "." : folder.substr(0, slash);
    } else if (::GetFileAttributesA((folder + "\\VIDEO_TS.IFO").c_str()) == INVALID_FILE_ATTRIBUTES) {
        folder += "\\VIDEO_TS";  // the volume's root
    }
    Disc disc;
    std::string why;
    if (!ReadDisc(folder, disc, why)) {
        Record("Disc? %s", why.c_str());
        return false;
    }
    mDisc = disc;
    mHasDisc = true;
    mLoc = Location{};
    mLoc.domain = DVD_DOMAIN_Stop;
    mFirstPlayDone = false;
    mCanResume = false;
    return true;
}

void Navigator::StartFirstPlay() {
    mFirstPlayDone = true;
    mRate = 1.0;
    mDvdPaused = false;
    SetDomain(DVD_DOMAIN_FirstPlay);
    switch (mScript.firstPlay) {
        case FirstPlay::Title:
            EnterTitle(1, 1, 0);
            break;
        case FirstPlay::Menu:
            EnterMenu(DVD_MENU_Root);
            break;
        case FirstPlay::None:
            Send(EC_DVD_NO_FP_PGC, 0, 0);
            break;
    }
}

void Navigator::Tick(double elapsedMs, DWORD now) {
    for (auto& e : mScript.events) {
        if (e.when == ScriptEvent::When::After && mRunEventsSent && now - mFirstRunTick >= e.ms) {
            e.when = ScriptEvent::When::Now;  // sent once
            Send(e.code, e.p1, e.p2);
        }
    }
    if (mState != State_Running || !InTitle() || mStill || mDvdPaused) return;
    const Title& t = CurrentTitle();
    mLoc.posMs += elapsedMs * mRate;
    if (mAutoStopMs >= 0 && mLoc.posMs >= mAutoStopMs) {
        mLoc.posMs = mAutoStopMs;
        mAutoStopMs = -1;
        mDvdPaused = true;
        Send(mAutoStopEvent, 0, 0);
    }
    if (mLoc.posMs >= t.lengthMs) {
        if (mLoc.title < mDisc.titles.size()) {
            EnterTitle(mLoc.title + 1, 1, 0);
        } else {
            mLoc.posMs = t.lengthMs;
            SetDomain(DVD_DOMAIN_Stop);
            Send(EC_DVD_PLAYBACK_STOPPED, 0, 0);
        }
        return;
    }
    if (mLoc.posMs <= 0 && mRate < 0) {
        mLoc.posMs = 0;
        mRate = 1.0;
        Send(EC_DVD_PLAYBACK_RATE_CHANGE, 10000, 0);
    }
    unsigned chapter = ChapterAt(mLoc.title, mLoc.posMs);
    if (chapter != mLoc.chapter) {
        mLoc.chapter = chapter;
        Send(EC_DVD_CHAPTER_START, chapter, 0);
    }
    double second = std::floor(mLoc.posMs / 1000.0);
    if (second != mSecondsSent) {
        mSecondsSent = second;
        DVD_HMSF_TIMECODE tc = TimeCode(mLoc.posMs);
        if (mOptions[DVD_HMSF_TimeCodeEvents]) {
            LONG_PTR bytes = 0;
            std::memcpy(&bytes, &tc, sizeof tc);
            Send(EC_DVD_CURRENT_HMSF_TIME, bytes, t.frameRate == 30 ? DVD_TC_FLAG_30fps : DVD_TC_FLAG_25fps);
        } else {
            auto bcd = [](unsigned v) { return static_cast<ULONG>(v / 10 << 4 | v % 10); };
            ULONG old = bcd(tc.bHours) << 24 | bcd(tc.bMinutes) << 16 | bcd(tc.bSeconds) << 8 |
                        bcd(tc.bFrames) | (t.frameRate == 30 ? 3u : 1u) << 6;
            Send(EC_DVD_CURRENT_TIME, static_cast<LONG_PTR>(old), 0);
        }
    }
}

void Navigator::ApplyInjected(const std::string& line) {
    Record("Inject %s", line.c_str());
    Script extra;
    if (!ApplyScriptLine(extra, line)) return;
    Guard g(*this);
    for (const auto& e : extra.events) {
        if (e.when == ScriptEvent::When::Now) Send(e.code, e.p1, e.p2);
    }
    // Every other directive joins the running script.
    if (line.rfind("event", 0) != 0)
        ApplyScriptLine(mScript, line);
    else
        for (const auto& e : extra.events)
            if (e.when != ScriptEvent::When::Now) mScript.events.push_back(e);
}

void Navigator::PollInjection() {
    std::string path = SharedDir() + "\\inject.txt";
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    std::string text = ReadText(path);
    ::DeleteFileA(path.c_str());
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) ApplyInjected(line);
        at = end + 1;
    }
}

DWORD WINAPI Navigator::ControlThread(void* self) {
    auto& nav = *static_cast<Navigator*>(self);
    DWORD last = ::GetTickCount(), lastPoll = last;
    while (::WaitForSingleObject(nav.mQuit, 50) == WAIT_TIMEOUT) {
        DWORD now = ::GetTickCount();
        {
            Guard g(nav);
            nav.Tick(static_cast<double>(now - last), now);
        }
        last = now;
        if (now - lastPoll >= 150) {
            lastPoll = now;
            nav.PollInjection();
        }
    }
    return 0;
}

void Navigator::DrawFrame(HDC dc) {
    DVD_DOMAIN domain;
    unsigned title, chapter, buttons, selected, audio, sub;
    double pos, rate;
    bool still, subOn;
    {
        Guard g(*this);
        domain = mLoc.domain;
        title = mLoc.title;
        chapter = mLoc.chapter;
        pos = mLoc.posMs;
        rate = mRate;
        still = mStill;
        buttons = MenuButtons();
        selected = mLoc.menuButton;
        audio = mLoc.audio;
        sub = mLoc.subpicture;
        subOn = mLoc.subpictureOn;
    }
    RECT all = {0, 0, kWidth, kHeight};
    bool menu = domain == DVD_DOMAIN_VideoManagerMenu || domain == DVD_DOMAIN_VideoTitleSetMenu;
    HBRUSH background = ::CreateSolidBrush(menu                         ? RGB(40, 40, 120)
                                           : domain == DVD_DOMAIN_Title ? RGB(20, 80, 40)
                                                                        : RGB(60, 60, 60));
    ::FillRect(dc, &all, background);
    ::DeleteObject(background);
    HFONT font = ::CreateFontA(44, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    char line[128];
    RECT r = {0, 40, kWidth, 100};
    ::DrawTextA(dc, DomainName(domain), -1, &r, DT_CENTER | DT_SINGLELINE);
    if (menu) {
        for (unsigned b = 1; b <= buttons; ++b) {
            RECT br = ButtonRect(b);
            HBRUSH fill = ::CreateSolidBrush(b == selected ? RGB(250, 210, 0) : RGB(90, 90, 170));
            ::FillRect(dc, &br, fill);
            ::DeleteObject(fill);
            ::SetTextColor(dc, b == selected ? RGB(0, 0, 0) : RGB(255, 255, 255));
            std::snprintf(line, sizeof line, "%u", b);
            ::DrawTextA(dc, line, -1, &br, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    } else if (title > 0) {
        auto total = static_cast<unsigned>(pos / 1000);
        std::snprintf(line, sizeof line, "Title %u  Chapter %u", title, chapter);
        r = {0, 200, kWidth, 260};
        ::DrawTextA(dc, line, -1, &r, DT_CENTER | DT_SINGLELINE);
        std::snprintf(line, sizeof line, "%u:%02u:%02u%s", total / 3600, total / 60 % 60, total % 60,
                      still ? "  still" : "");
        r = {0, 280, kWidth, 340};
        ::DrawTextA(dc, line, -1, &r, DT_CENTER | DT_SINGLELINE);
        std::snprintf(line, sizeof line, "rate %g  audio %u  subpicture %u%s", rate, audio, sub,
                      subOn ? "" : " off");
        r = {0, 400, kWidth, 460};
        ::DrawTextA(dc, line, -1, &r, DT_CENTER | DT_SINGLELINE);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(font);
}

DWORD WINAPI Navigator::FrameThread(void* self) {
    auto& nav = *static_cast<Navigator*>(self);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = kWidth;
    bmi.bmiHeader.biHeight = kHeight;  // bottom-up, as the pin's type says
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    while (::WaitForSingleObject(nav.mQuit, 250) == WAIT_TIMEOUT) {
        bool send;
        {
            Guard g(nav);
            send = nav.mState == State_Running || nav.mFrameWanted;
            nav.mFrameWanted = false;
        }
        if (!send) continue;
        nav.DrawFrame(dc);
        ::GdiFlush();
        nav.mPin.Deliver(bits, static_cast<size_t>(kWidth) * kHeight * 4);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return 0;
}

DWORD WINAPI Navigator::AudioThread(void* self) {
    auto& nav = *static_cast<Navigator*>(self);
    std::string silence(static_cast<size_t>(kAudioChunk), '\0');
    // Without time stamps the audio renderer plays each chunk as it comes; a chunk somewhat more
    // often than its length keeps the renderer fed (it blocks while its buffer is full).
    DWORD wait = 0;
    while (::WaitForSingleObject(nav.mQuit, wait) == WAIT_TIMEOUT) {
        bool send;
        {
            Guard g(nav);
            send = nav.mAudioPin.Connected() && (nav.mState == State_Running || nav.mAudioWanted);
            nav.mAudioWanted = false;
        }
        wait = send && nav.mAudioPin.Deliver(silence.data(), silence.size()) ? 200 : 100;
    }
    return 0;
}

}  // namespace dvdnav
