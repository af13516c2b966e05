// The navigator as a filter: its making, its interfaces, the graph's state changes, and what the
// delivery threads report (the picture shown, the events in their turn).
#include <dvdevcod.h>

#include <cstring>

#include "DvdTime.h"
#include "MediaTypes.h"
#include "Navigator.h"
#include "WideText.h"

namespace navigator {

namespace {

// {8C6D2E41-5B7A-4F3C-A2D9-1E4B6C8F0A37}
const CLSID kNavigatorClsid = {0x8c6d2e41, 0x5b7a, 0x4f3c, {0xa2, 0xd9, 0x1e, 0x4b, 0x6c, 0x8f, 0x0a, 0x37}};

constexpr long kVideoBuffers = 3;
constexpr long kAudioBuffers = 8;
constexpr long kAudioBufferBytes = 32 * 1024;
constexpr size_t kVideoQueued = 8;   // pictures decoded ahead, about a third of a second
constexpr size_t kAudioQueued = 48;  // AC-3 frames of 32 ms: a second and a half
constexpr DWORD kStopDeliveryWaitMs = 2000;  // a renderer lets a held sample go when it stops

bool IsDirectory(const std::string& path) {
    DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

Navigator::Navigator(LONG width, LONG height)
    : BaseFilter(kNavigatorClsid),
      mWidth(width),
      mHeight(height),
      mVideoPin(*this, L"Video", VideoRgb32(width, height, 400000), kVideoBuffers, width * height * 4),
      mAudioPin(*this, L"Audio", AudioPcm(kOutputRate, 2), kAudioBuffers, kAudioBufferBytes),
      mVideo(mVideoPin, *this, kVideoQueued),
      mAudio(mAudioPin, *this, kAudioQueued) {
    AddPin(&mVideoPin);
    AddPin(&mAudioPin);
    mModel.options[DVD_ResetOnStop] = true;  // the platform's default
}

Navigator::~Navigator() {
    ::InterlockedExchange(&mQuit, 1);
    mCommands.Signal();
    mReader.Join();
    mVideo.Quit();
    mAudio.Quit();
    // Commands nobody will take any more end now, so no caller waits for them.
    while (CommandPtr c = mCommands.Pop()) {
        c->result = VFW_E_DVD_CMD_CANCELLED;
        c->started.Set();
        c->ended.Set();
    }
}

Navigator* Navigator::Create(const std::wstring& path, OpenResult& result) {
    std::string folder = VideoTsFolder(Utf8(path), IsDirectory);
    DiscFacts facts;
    std::string why = "no volume was named";
    bool readable = !folder.empty() && ReadDiscFacts(folder, facts, why);
    // The output has the size of the disc's pictures: PAL 720 x 576, NTSC 720 x 480.
    LONG height = readable && !facts.titleSets.empty() && !facts.titleSets[0].video.pal ? 480 : 576;
    auto* nav = new Navigator(720, height);
    result = OpenResult{};
    if (readable) {
        HRESULT hr = nav->LoadVolume(path, &why);
        result.hasDisc = SUCCEEDED(hr);
    }
    if (!result.hasDisc) result.why = why;
    nav->mVideo.Start();
    nav->mAudio.Start();
    nav->mReader.Start(ReaderMain, nav);
    return nav;
}

HRESULT Navigator::QueryOther(REFIID iid, void** out) {
    if (iid == IID_IDvdControl2) {
        *out = static_cast<IDvdControl2*>(&mControl);
    } else if (iid == IID_IDvdInfo2) {
        *out = static_cast<IDvdInfo2*>(&mInfo);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// The reading thread sees the state itself; it only needs waking. A stop also takes the reset
// option as it stands now: callers set it around IMediaControl::Stop only.
void Navigator::OnStop() {
    {
        Lock lock(mModelLock);
        mStopResets = mModel.options[DVD_ResetOnStop];
        ++mGraphStops;
    }
    mCommands.Signal();
}
// The renderers have stopped and our allocators are decommitted; a sample already on its way
// may still be inside a renderer's Receive. Stop returns only when it is out, so that the graph
// can take the renderers' clock away (as it does when it lets them go) under no one.
void Navigator::OnStopped() {
    mVideo.WaitOutOfPin(kStopDeliveryWaitMs);
    mAudio.WaitOutOfPin(kStopDeliveryWaitMs);
    mCommands.Signal();
}
void Navigator::OnPause(bool) {
    mCommands.Signal();
}
void Navigator::OnRun(REFERENCE_TIME) {
    mCommands.Signal();
}

void Navigator::OnPresented(const Delivery& sample) {
    if (!sample.positioned) return;
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    {
        Lock lock(mModelLock);
        DiscPosition& shown = mModel.shown;
        shown.timeMs = sample.position.timeMs;
        shown.fps = sample.position.fps;
        if (shown.domain != DVD_DOMAIN_Title) return;
        // The time events come once a second of the title, as the picture shows it.
        int64_t second = shown.timeMs / 1000;
        if (second == mModel.secondSent) return;
        mModel.secondSent = second;
        Hmsf t = MsToHmsf(shown.timeMs, shown.fps);
        if (mModel.options[DVD_HMSF_TimeCodeEvents]) {
            code = EC_DVD_CURRENT_HMSF_TIME;
            p1 = static_cast<LONG_PTR>(PackHmsf(t));
        } else {
            code = EC_DVD_CURRENT_TIME;
            p1 = static_cast<LONG_PTR>(PackBcdTimeCode(t, shown.fps));
        }
        p2 = shown.fps == 30 ? DVD_TC_FLAG_30fps : DVD_TC_FLAG_25fps;
    }
    Notify(code, p1, p2);
}

void Navigator::OnQueuedEvent(long code, LONG_PTR p1, LONG_PTR p2) {
    ApplyAndNotify(code, p1, p2);
}

void Navigator::ApplyAndNotify(long code, LONG_PTR p1, LONG_PTR p2) {
    {
        Lock lock(mModelLock);
        DiscPosition& shown = mModel.shown;
        switch (code) {
            case EC_DVD_DOMAIN_CHANGE:
                shown.domain = static_cast<int>(p1);
                mModel.secondSent = -1;
                break;
            case EC_DVD_TITLE_CHANGE:
                shown.title = static_cast<unsigned>(p1);
                mModel.secondSent = -1;
                break;
            case EC_DVD_CHAPTER_START:
                shown.chapter = static_cast<unsigned>(p1);
                break;
            default:
                break;
        }
    }
    Notify(code, p1, p2);
}

}  // namespace navigator
