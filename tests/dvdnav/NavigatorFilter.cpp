#include <cmath>
#include <cstdio>
#include <cstring>

#include "DvdTime.h"
#include "MediaTypes.h"
#include "Navigator.h"
#include "NavigatorFixture.h"

namespace dvdnav {

namespace {

// {4E1A7C3B-2D5F-4B8E-9C61-7A3D5E0F1B22}
const CLSID kNavigatorClsid = {0x4e1a7c3b, 0x2d5f, 0x4b8e, {0x9c, 0x61, 0x7a, 0x3d, 0x5e, 0x0f, 0x1b, 0x22}};

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

// --- the filter ---

Navigator::Navigator(const Script& script, const Disc& disc, bool hasDisc)
    : BaseFilter(kNavigatorClsid),
      mScript(script),
      mDisc(disc),
      mHasDisc(hasDisc),
      mParentalLevel(script.parentalLevel),
      mPin(*this, L"Video", navigator::VideoRgb32(kWidth, kHeight, 10000000 / 4), 2, kWidth * kHeight * 4),
      mAudioPin(*this, L"Audio", navigator::AudioPcm(48000, 2), 2, kAudioChunk) {
    ::InitializeCriticalSection(&mLock);
    AddPin(&mPin);
    AddPin(&mAudioPin);
    mLoc.domain = DVD_DOMAIN_FirstPlay;
    mQuit = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    mControlThread = ::CreateThread(nullptr, 0, ControlThread, this, 0, nullptr);
    mFrameThread = ::CreateThread(nullptr, 0, FrameThread, this, 0, nullptr);
    mAudioThread = ::CreateThread(nullptr, 0, AudioThread, this, 0, nullptr);
    ObjectCreated();
}

Navigator::~Navigator() {
    ::SetEvent(mQuit);
    mPin.Inactive();  // a thread waiting for a buffer gives up
    mAudioPin.Inactive();
    HANDLE threads[3] = {mControlThread, mFrameThread, mAudioThread};
    ::WaitForMultipleObjects(3, threads, TRUE, 5000);
    for (HANDLE t : threads)
        ::CloseHandle(t);
    ::CloseHandle(mQuit);
    EndDueCommands(true);  // nobody waits for a command of a navigator that is gone
    ::DeleteCriticalSection(&mLock);
    ObjectDestroyed();
}

HRESULT Navigator::QueryOther(REFIID iid, void** out) {
    if (iid == IID_IDvdControl2 && !mScript.oldNavigator) {
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

void Navigator::OnStop() {
    Guard g(*this);
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

void Navigator::OnPause(bool) {
    Guard g(*this);
    mFrameWanted = true;  // the renderer holds it as the paused picture
    mAudioWanted = true;  // and the audio renderer needs one to finish pausing
}

void Navigator::OnRun(REFERENCE_TIME) {
    Guard g(*this);
    if (!mRunEventsSent) {
        mRunEventsSent = true;
        mFirstRunTick = ::GetTickCount();
        for (const auto& e : mScript.events)
            if (e.when == ScriptEvent::When::Run) Send(e.code, e.p1, e.p2);
    }
    if (mHasDisc && (!mFirstPlayDone || mLoc.domain == DVD_DOMAIN_Stop)) StartFirstPlay();
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
    Notify(code, p1, p2);
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
    if (IFilterGraph* graph = Graph()) {
        IBasicVideo* video = nullptr;
        if (SUCCEEDED(graph->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&video)))) {
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
    navigator::Hmsf h = navigator::MsToHmsf(static_cast<int64_t>(ms), fps);
    return DVD_HMSF_TIMECODE{h.hours, h.minutes, h.seconds, h.frames};
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
    if (State() != State_Running || !InTitle() || mStill || mDvdPaused) return;
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
        navigator::Hmsf tc = navigator::MsToHmsf(static_cast<int64_t>(mLoc.posMs), t.frameRate);
        if (mOptions[DVD_HMSF_TimeCodeEvents])
            Send(EC_DVD_CURRENT_HMSF_TIME, static_cast<LONG_PTR>(navigator::PackHmsf(tc)),
                 t.frameRate == 30 ? DVD_TC_FLAG_30fps : DVD_TC_FLAG_25fps);
        else
            Send(EC_DVD_CURRENT_TIME, static_cast<LONG_PTR>(navigator::PackBcdTimeCode(tc, t.frameRate)), 0);
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
        nav.EndDueCommands(false);
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

// A renderer finishes pausing only once it holds a sample: one refused meanwhile (the graph
// changing state under the delivery) is sent again rather than leaving the graph pausing.
void Navigator::WantAgainWhilePaused(bool& wanted) {
    Guard g(*this);
    if (State() == State_Paused) wanted = true;
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
            send = nav.State() == State_Running || nav.mFrameWanted;
            nav.mFrameWanted = false;
        }
        if (!send) continue;
        nav.DrawFrame(dc);
        ::GdiFlush();
        HRESULT hr =
            nav.mPin.DeliverCopy(bits, static_cast<size_t>(kWidth) * kHeight * 4, nullptr, nullptr, false);
        if (FAILED(hr)) nav.WantAgainWhilePaused(nav.mFrameWanted);
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
            send = nav.mAudioPin.IsConnected() && (nav.State() == State_Running || nav.mAudioWanted);
            nav.mAudioWanted = false;
        }
        if (!send) {
            wait = 100;
            continue;
        }
        HRESULT hr = nav.mAudioPin.DeliverCopy(silence.data(), silence.size(), nullptr, nullptr, false);
        if (FAILED(hr)) nav.WantAgainWhilePaused(nav.mAudioWanted);
        wait = SUCCEEDED(hr) ? 200 : 100;
    }
    return 0;
}

}  // namespace dvdnav
