// The DVD navigator double as the player meets it: created through CoCreateInstance under
// CLSID_DvdGraphBuilder in the test prefix, rendering the disc the build authored, with events
// arriving through the real graph's IMediaEventEx.
#include <windows.h>
#include <dshow.h>
#include <dvdevcod.h>
#include <ole2.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "DiscModel.h"
#include "Line21Decoder.h"
#include "MixerConfig.h"
#include "NavigatorFixture.h"
#include "Script.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring Wide(const std::string& s) {
    std::wstring w(s.size(), L'\0');
    for (size_t i = 0; i < s.size(); ++i)
        w[i] = static_cast<unsigned char>(s[i]);
    return w;
}

// QueryInterface into a ComPtr (the toolchain's headers give no __uuidof for DirectShow).
template <typename T>
HRESULT Query(IUnknown* from, REFIID iid, ComPtr<T>& to) {
    return from->QueryInterface(iid, reinterpret_cast<void**>(to.ReleaseAndGetAddressOf()));
}

struct Event {
    long code;
    LONG_PTR p1, p2;
};

// One DVD graph, built the way the player builds it.
class DvdGraph {
public:
    explicit DvdGraph(const std::wstring& volume = Wide(dvdnav::NavigatorFixture::DiscIfoPath())) {
        created = ::CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IDvdGraphBuilder, reinterpret_cast<void**>(builder.GetAddressOf()));
        if (FAILED(created)) return;
        rendered = builder->RenderDvdVideoVolume(volume.empty() ? nullptr : volume.c_str(),
                                                 AM_DVD_HWDEC_PREFER, &status);
        if (FAILED(rendered)) return;
        builder->GetDvdInterface(IID_IDvdControl2, reinterpret_cast<void**>(control.GetAddressOf()));
        builder->GetDvdInterface(IID_IDvdInfo2, reinterpret_cast<void**>(info.GetAddressOf()));
        builder->GetFiltergraph(graph.GetAddressOf());
        if (graph) {
            Query(graph.Get(), IID_IMediaControl, media);
            Query(graph.Get(), IID_IMediaEventEx, events);
            Query(graph.Get(), IID_IVideoWindow, window);
        }
        if (window) window->put_AutoShow(OAFALSE);  // the picture is not what these tests look at
        if (control) control->SetOption(DVD_HMSF_TimeCodeEvents, TRUE);
    }
    ~DvdGraph() {
        if (media) media->Stop();
    }
    bool Ready() const { return control && info && media && events; }

    // Waits for an event with this code (pumping messages for the renderer's window meanwhile);
    // every event seen goes to `seen`. A failure names the events seen and each filter's state.
    ::testing::AssertionResult WaitFor(long code, Event* found = nullptr, DWORD timeoutMs = 5000) {
        HANDLE handle = nullptr;
        if (FAILED(events->GetEventHandle(reinterpret_cast<OAEVENT*>(&handle))))
            return ::testing::AssertionFailure() << "no event handle";
        DWORD start = ::GetTickCount();
        for (;;) {
            long c;
            LONG_PTR p1, p2;
            while (SUCCEEDED(events->GetEvent(&c, &p1, &p2, 0))) {
                seen.push_back({c, p1, p2});
                events->FreeEventParams(c, p1, p2);
                if (c == code) {
                    if (found) *found = {c, p1, p2};
                    return ::testing::AssertionSuccess();
                }
            }
            DWORD spent = ::GetTickCount() - start;
            if (spent >= timeoutMs)
                return ::testing::AssertionFailure() << "no event 0x" << std::hex << code << Report();
            ::MsgWaitForMultipleObjects(1, &handle, FALSE, 50, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
        }
    }
    // The events seen and each filter's state (a renderer still waiting for a sample to finish
    // pausing answers VFW_S_STATE_INTERMEDIATE).
    std::string Report() {
        std::string text = "; events seen:";
        for (const Event& e : seen) {
            char one[40];
            std::snprintf(one, sizeof one, " 0x%lx(%ld)", static_cast<unsigned long>(e.code),
                          static_cast<long>(e.p1));
            text += one;
        }
        ComPtr<IEnumFilters> filters;
        if (!graph || FAILED(graph->EnumFilters(filters.GetAddressOf()))) return text;
        ComPtr<IBaseFilter> filter;
        while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
            FILTER_INFO about{};
            filter->QueryFilterInfo(&about);
            if (about.pGraph) about.pGraph->Release();
            FILTER_STATE state = State_Stopped;
            HRESULT hr = filter->GetState(0, &state);
            char line[160];
            std::snprintf(line, sizeof line, "; %ls: state %d (0x%lx)", about.achName,
                          static_cast<int>(state), static_cast<unsigned long>(hr));
            text += line;
        }
        return text;
    }
    void Drain() {
        while (WaitFor(-1, nullptr, 0)) {
        }
        seen.clear();
    }

    HRESULT created = E_FAIL, rendered = E_FAIL;
    AM_DVD_RENDERSTATUS status = {};
    ComPtr<IDvdGraphBuilder> builder;
    ComPtr<IDvdControl2> control;
    ComPtr<IDvdInfo2> info;
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> media;
    ComPtr<IMediaEventEx> events;
    ComPtr<IVideoWindow> window;
    std::vector<Event> seen;
};

class NavigatorDouble : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        ASSERT_TRUE(fixture.Registered());
    }
    void TearDown() override { ::CoUninitialize(); }

    DVD_PLAYBACK_LOCATION2 Location(DvdGraph& g) {
        DVD_PLAYBACK_LOCATION2 loc = {};
        EXPECT_EQ(S_OK, g.info->GetCurrentLocation(&loc));
        return loc;
    }

    dvdnav::NavigatorFixture fixture;
};

TEST(DiscAuthored, IfoFilesDescribeThreeTitlesWithTheirChaptersAndLanguages) {
    dvdnav::Disc disc;
    std::string why;
    ASSERT_TRUE(dvdnav::ReadDisc(dvdnav::NavigatorFixture::DiscFolder(), disc, why)) << why;
    ASSERT_EQ(3u, disc.titles.size());
    EXPECT_EQ(3u, disc.titles[0].chapterStartMs.size());
    EXPECT_EQ(2u, disc.titles[1].chapterStartMs.size());
    EXPECT_EQ(1u, disc.titles[2].chapterStartMs.size());
    // dvdauthor puts chapter marks on the group of pictures at or after the requested time.
    EXPECT_EQ(0u, disc.titles[0].chapterStartMs[0]);
    EXPECT_NEAR(4000, disc.titles[0].chapterStartMs[1], 600);
    EXPECT_NEAR(8000, disc.titles[0].chapterStartMs[2], 600);
    EXPECT_NEAR(12000, disc.titles[0].lengthMs, 600);
    EXPECT_NEAR(8000, disc.titles[1].lengthMs, 600);
    EXPECT_NEAR(6000, disc.titles[2].lengthMs, 600);
    ASSERT_EQ(2u, disc.audio.size());
    EXPECT_EQ('e' << 8 | 'n', disc.audio[0].language);
    EXPECT_EQ('f' << 8 | 'r', disc.audio[1].language);
    ASSERT_EQ(2u, disc.subpictures.size());
    EXPECT_EQ('e' << 8 | 'n', disc.subpictures[0].language);
    EXPECT_EQ('d' << 8 | 'e', disc.subpictures[1].language);
}

TEST(DiscAuthored, FolderWithoutVolumeIsRefused) {
    dvdnav::Disc disc;
    std::string why;
    EXPECT_FALSE(dvdnav::ReadDisc("C:\\windows", disc, why));
    EXPECT_FALSE(why.empty());
}

TEST(Script, DirectivesAndBadLines) {
    std::vector<std::string> unknown;
    dvdnav::Script s = dvdnav::ParseScript(
        "# comment\nfirst_play none\nrender_hr 0x8004027B\nevent +500 EC_DVD_ERROR 4\n"
        "karaoke 1 2 0x1,0x2,0x4\ntext 1033 48 Disc name here\nfail GetCurrentAudio 0x80004001\n"
        "event later EC_DVD_ERROR\nbogus\n",
        &unknown);
    EXPECT_EQ(dvdnav::FirstPlay::None, s.firstPlay);
    EXPECT_TRUE(s.renderFails);
    EXPECT_EQ(static_cast<long>(0x8004027BL), s.renderHr);
    ASSERT_EQ(1u, s.events.size());
    EXPECT_EQ(500u, s.events[0].ms);
    EXPECT_EQ(0x010C, s.events[0].code);
    EXPECT_EQ(4, s.events[0].p1);
    ASSERT_EQ(1u, s.karaoke.count(1));
    EXPECT_EQ(3u, s.karaoke[1].contents.size());
    ASSERT_EQ(1u, s.texts.size());
    EXPECT_EQ("Disc name here", s.texts[0].text);
    EXPECT_EQ(static_cast<long>(0x80004001L), s.fail["GetCurrentAudio"]);
    EXPECT_EQ((std::vector<std::string>{"event later EC_DVD_ERROR", "bogus"}), unknown);
}

TEST_F(NavigatorDouble, BuildsRealGraphWithRendererInterfaces) {
    DvdGraph g;
    ASSERT_EQ(S_OK, g.created);
    ASSERT_EQ(S_OK, g.rendered);
    ASSERT_TRUE(g.Ready());
    ComPtr<IBasicVideo> video;
    ASSERT_TRUE(SUCCEEDED(Query(g.graph.Get(), IID_IBasicVideo, video)));
    long width = 0, height = 0;
    EXPECT_EQ(S_OK, video->get_SourceWidth(&width));
    EXPECT_EQ(S_OK, video->get_SourceHeight(&height));
    EXPECT_EQ(720, width);
    EXPECT_EQ(576, height);
    ComPtr<IBasicAudio> audio;
    ComPtr<IMediaSeeking> seeking;
    ComPtr<IMediaPosition> position;
    ASSERT_TRUE(SUCCEEDED(Query(g.graph.Get(), IID_IBasicAudio, audio)));
    // The navigator's silence goes to the real audio renderer, whose volume and balance these are.
    EXPECT_EQ(S_OK, audio->put_Volume(-1200));
    long volume = 0;
    EXPECT_EQ(S_OK, audio->get_Volume(&volume));
    EXPECT_EQ(-1200, volume);
    EXPECT_EQ(S_OK, audio->put_Balance(-10000));
    EXPECT_TRUE(SUCCEEDED(Query(g.graph.Get(), IID_IMediaSeeking, seeking)));
    EXPECT_TRUE(SUCCEEDED(Query(g.graph.Get(), IID_IMediaPosition, position)));
    ComPtr<IVideoWindow> window;
    EXPECT_EQ(S_OK,
              g.builder->GetDvdInterface(IID_IVideoWindow, reinterpret_cast<void**>(window.GetAddressOf())));
    ComPtr<IUnknown> none;
    EXPECT_EQ(E_NOINTERFACE, g.builder->GetDvdInterface(IID_IAMLine21Decoder,
                                                        reinterpret_cast<void**>(none.GetAddressOf())));
    EXPECT_EQ(E_NOINTERFACE, g.builder->GetDvdInterface(IID_IMixerPinConfig2,
                                                        reinterpret_cast<void**>(none.GetAddressOf())));
    EXPECT_GE(fixture.FindCall("RenderDvdVideoVolume 1 "), 0);
    EXPECT_GE(fixture.FindCall("GetDvdInterface IAMLine21Decoder"), 0);
    // A builder renders one volume only.
    AM_DVD_RENDERSTATUS status = {};
    EXPECT_EQ(VFW_E_DVD_RENDERFAIL, g.builder->RenderDvdVideoVolume(nullptr, 0, &status));
}

TEST_F(NavigatorDouble, InfoAnswersFromTheDisc) {
    DvdGraph g;
    ASSERT_TRUE(g.Ready());
    ULONG chapters = 0;
    EXPECT_EQ(S_OK, g.info->GetNumberOfChapters(1, &chapters));
    EXPECT_EQ(3u, chapters);
    EXPECT_EQ(S_OK, g.info->GetNumberOfChapters(3, &chapters));
    EXPECT_EQ(1u, chapters);
    EXPECT_EQ(E_INVALIDARG, g.info->GetNumberOfChapters(4, &chapters));
    EXPECT_EQ(E_INVALIDARG, g.info->GetNumberOfChapters(0, &chapters));
    ULONG count = 0, current = 9;
    WINBOOL disabled = TRUE;
    EXPECT_EQ(S_OK, g.info->GetCurrentAudio(&count, &current));
    EXPECT_EQ(2u, count);
    EXPECT_EQ(0u, current);
    EXPECT_EQ(S_OK, g.info->GetCurrentSubpicture(&count, &current, &disabled));
    EXPECT_EQ(2u, count);
    EXPECT_FALSE(disabled);  // shown from the start
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START));
    EXPECT_EQ(S_OK, g.control->SetSubpictureState(FALSE, DVD_CMD_FLAG_None, nullptr));
    EXPECT_EQ(S_OK, g.info->GetCurrentSubpicture(&count, &current, &disabled));
    EXPECT_TRUE(disabled);
    LCID lcid = 0;
    EXPECT_EQ(S_OK, g.info->GetAudioLanguage(1, &lcid));
    EXPECT_EQ(0x040cu, lcid);  // French
    EXPECT_EQ(S_OK, g.info->GetSubpictureLanguage(1, &lcid));
    EXPECT_EQ(0x0407u, lcid);  // German
    EXPECT_EQ(E_INVALIDARG, g.info->GetAudioLanguage(2, &lcid));
    DVD_SubpictureAttributes sp = {};
    EXPECT_EQ(S_OK, g.info->GetSubpictureAttributes(0, &sp));
    EXPECT_EQ(0x0409u, sp.Language);
    DVD_VideoAttributes va = {};
    EXPECT_EQ(S_OK, g.info->GetCurrentVideoAttributes(&va));
    EXPECT_EQ(576u, va.ulFrameHeight);
    EXPECT_EQ(DVD_VideoCompression_MPEG2, va.Compression);
    DVD_KaraokeAttributes ka = {};
    EXPECT_EQ(VFW_E_DVD_NOT_IN_KARAOKE_MODE, g.info->GetKaraokeAttributes(0, &ka));
    ULONG textLanguages = 5;
    EXPECT_EQ(S_OK, g.info->GetDVDTextNumberOfLanguages(&textLanguages));
    EXPECT_EQ(0u, textLanguages);
}

TEST_F(NavigatorDouble, RunStartsTitleOneAndSendsTimeEverySecond) {
    DvdGraph g;
    ASSERT_TRUE(g.Ready());
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    Event e = {};
    ASSERT_TRUE(g.WaitFor(EC_DVD_TITLE_CHANGE, &e));
    EXPECT_EQ(1, e.p1);
    ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START, &e));
    EXPECT_EQ(1, e.p1);
    ASSERT_TRUE(g.WaitFor(EC_DVD_CURRENT_HMSF_TIME, &e));
    ASSERT_TRUE(g.WaitFor(EC_DVD_CURRENT_HMSF_TIME, &e, 2500));
    DVD_HMSF_TIMECODE tc;
    static_assert(sizeof tc == 4);
    std::memcpy(&tc, &e.p1, sizeof tc);
    EXPECT_EQ(0, tc.bHours);
    EXPECT_GE(tc.bSeconds, 1);
    EXPECT_EQ(DVD_TC_FLAG_25fps, e.p2);
    DVD_DOMAIN domain;
    EXPECT_EQ(S_OK, g.info->GetCurrentDomain(&domain));
    EXPECT_EQ(DVD_DOMAIN_Title, domain);
    DVD_HMSF_TIMECODE total = {};
    ULONG flags = 0;
    EXPECT_EQ(S_OK, g.info->GetTotalTitleTime(&total, &flags));
    EXPECT_EQ(12, total.bSeconds);
}

TEST_F(NavigatorDouble, JumpsKeepTitleChapterAndTimeConsistent) {
    DvdGraph g;
    ASSERT_TRUE(g.Ready());
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START));

    EXPECT_EQ(S_OK, g.control->PlayChapterInTitle(2, 2, DVD_CMD_FLAG_Block, nullptr));
    DVD_PLAYBACK_LOCATION2 loc = Location(g);
    EXPECT_EQ(2u, loc.TitleNum);
    EXPECT_EQ(2u, loc.ChapterNum);
    EXPECT_NEAR(5, loc.TimeCode.bSeconds, 1);
    EXPECT_EQ(E_INVALIDARG, g.control->PlayNextChapter(DVD_CMD_FLAG_None, nullptr));  // the last one
    EXPECT_EQ(S_OK, g.control->PlayPrevChapter(DVD_CMD_FLAG_Block, nullptr));
    EXPECT_EQ(1u, Location(g).ChapterNum);
    EXPECT_EQ(E_INVALIDARG, g.control->PlayPrevChapter(DVD_CMD_FLAG_Block, nullptr));

    EXPECT_EQ(S_OK, g.control->PlayTitle(1, DVD_CMD_FLAG_None, nullptr));
    DVD_HMSF_TIMECODE at = {0, 0, 9, 0};
    EXPECT_EQ(S_OK, g.control->PlayAtTime(&at, DVD_CMD_FLAG_Block, nullptr));
    loc = Location(g);
    EXPECT_EQ(1u, loc.TitleNum);
    EXPECT_EQ(3u, loc.ChapterNum);
    EXPECT_EQ(9, loc.TimeCode.bSeconds);
    DVD_HMSF_TIMECODE beyond = {0, 0, 30, 0};
    EXPECT_EQ(E_INVALIDARG, g.control->PlayAtTime(&beyond, DVD_CMD_FLAG_Block, nullptr));
    EXPECT_EQ(E_INVALIDARG, g.control->PlayTitle(4, DVD_CMD_FLAG_None, nullptr));
    EXPECT_EQ(E_INVALIDARG, g.control->PlayChapterInTitle(1, 4, DVD_CMD_FLAG_None, nullptr));
    EXPECT_EQ(E_INVALIDARG, g.control->SelectAudioStream(2, DVD_CMD_FLAG_None, nullptr));
    EXPECT_EQ(E_INVALIDARG, g.control->SelectSubpictureStream(2, DVD_CMD_FLAG_None, nullptr));
    EXPECT_EQ(S_OK, g.control->SelectAudioStream(1, DVD_CMD_FLAG_None, nullptr));
    ULONG count = 0, current = 0;
    EXPECT_EQ(S_OK, g.info->GetCurrentAudio(&count, &current));
    EXPECT_EQ(1u, current);

    // The chapter boundary passes while playing at four times the speed.
    EXPECT_EQ(S_OK, g.control->PlayChapterInTitle(1, 1, DVD_CMD_FLAG_Block, nullptr));
    EXPECT_EQ(S_OK, g.control->PlayForwards(4.0, DVD_CMD_FLAG_None, nullptr));
    g.Drain();
    Event e = {};
    ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START, &e, 3000));
    EXPECT_EQ(2, e.p1);

    EXPECT_GE(fixture.FindCall("PlayChapterInTitle 2 2 4"), 0);
    EXPECT_GE(fixture.FindCall("PlayAtTime 0:00:09.00 4"), 0);
    EXPECT_GE(fixture.FindCall("PlayForwards 4 0"), 0);
    EXPECT_GE(fixture.FindCall("SetOption 3 1"), 0);
}

TEST_F(NavigatorDouble, MenuButtonsSelectActivateAndResume) {
    DvdGraph g;
    ASSERT_TRUE(g.Ready());
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START));
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, g.control->Resume(DVD_CMD_FLAG_Flush, nullptr));
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, g.control->ActivateButton());

    ComPtr<IDvdCmd> cmd;
    ASSERT_EQ(S_OK, g.control->ShowMenu(DVD_MENU_Root, DVD_CMD_FLAG_Flush, cmd.GetAddressOf()));
    ASSERT_TRUE(cmd);
    EXPECT_EQ(S_OK, cmd->WaitForEnd());
    Event e = {};
    ASSERT_TRUE(g.WaitFor(EC_DVD_DOMAIN_CHANGE, &e));
    EXPECT_EQ(DVD_DOMAIN_VideoTitleSetMenu, e.p1);
    ULONG buttons = 0, current = 0;
    EXPECT_EQ(S_OK, g.info->GetCurrentButton(&buttons, &current));
    EXPECT_EQ(3u, buttons);
    EXPECT_EQ(1u, current);
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, g.control->PlayChapter(1, DVD_CMD_FLAG_Block, nullptr));
    EXPECT_EQ(S_OK, g.control->SelectRelativeButton(DVD_Relative_Right));
    EXPECT_EQ(S_OK, g.info->GetCurrentButton(&buttons, &current));
    EXPECT_EQ(2u, current);
    EXPECT_EQ(S_OK, g.control->Resume(DVD_CMD_FLAG_Flush, nullptr));
    EXPECT_EQ(1u, Location(g).TitleNum);

    ASSERT_EQ(S_OK, g.control->ShowMenu(DVD_MENU_Title, DVD_CMD_FLAG_Flush, nullptr));
    DVD_DOMAIN domain;
    EXPECT_EQ(S_OK, g.info->GetCurrentDomain(&domain));
    EXPECT_EQ(DVD_DOMAIN_VideoManagerMenu, domain);
    // A point on the third button, with the picture stretched over the window's client area.
    EXPECT_EQ(S_OK, g.window->SetWindowPosition(0, 0, 960, 700));
    ComPtr<IBasicVideo> video;
    ASSERT_TRUE(SUCCEEDED(Query(g.graph.Get(), IID_IBasicVideo, video)));
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(S_OK, video->GetDestinationPosition(&left, &top, &width, &height));
    ASSERT_GT(width, 720);
    RECT third = {};
    EXPECT_EQ(S_OK, g.info->GetButtonRect(3, &third));
    POINT p = {left + (third.left + third.right) / 2 * width / 720,
               top + (third.top + third.bottom) / 2 * height / 576};
    EXPECT_EQ(S_OK, g.control->SelectAtPosition(p));
    EXPECT_EQ(S_OK, g.info->GetCurrentButton(&buttons, &current));
    EXPECT_EQ(3u, current);
    EXPECT_EQ(VFW_E_DVD_NO_BUTTON, g.control->ActivateAtPosition(POINT{2, 2}));
    EXPECT_EQ(S_OK, g.control->ActivateAtPosition(p));
    EXPECT_EQ(3u, Location(g).TitleNum);

    EXPECT_GE(fixture.FindCall("ShowMenu 3 1 cmd"), 0);
    EXPECT_GE(fixture.FindCall("Cmd.WaitForEnd"), 0);
    EXPECT_GE(fixture.FindCall("SelectRelativeButton 4"), 0);
    EXPECT_GE(fixture.FindCall("Resume 1"), 0);
}

// The renderer's current picture, as 32-bit pixels bottom-up; empty when it has none. The
// renderer keeps a picture only while paused.
std::vector<DWORD> CurrentImage(DvdGraph& g) {
    ComPtr<IBasicVideo> video;
    if (FAILED(Query(g.graph.Get(), IID_IBasicVideo, video))) return {};
    // Wine's renderer wants the buffer at once (no size query with a null buffer).
    long size = static_cast<long>(sizeof(BITMAPINFOHEADER) + 720 * 576 * 4);
    std::vector<DWORD> image(static_cast<size_t>(size) / 4);
    if (FAILED(video->GetCurrentImage(&size, reinterpret_cast<long*>(image.data())))) return {};
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    if (header->biBitCount != 32 || header->biWidth != 720) return {};
    image.erase(image.begin(), image.begin() + header->biSize / 4);
    return image;
}

DWORD PixelAt(const std::vector<DWORD>& image, int x, int y) {
    return image[static_cast<size_t>(575 - y) * 720 + static_cast<size_t>(x)] & 0xffffff;
}

// Waits until the picture at (x, y) has the colour, pumping messages.
bool WaitForPixel(DvdGraph& g, int x, int y, COLORREF colour) {
    DWORD want = static_cast<DWORD>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    for (int i = 0; i < 40; ++i) {
        std::vector<DWORD> image = CurrentImage(g);
        if (image.size() >= 720u * 576u && PixelAt(image, x, y) == want) return true;
        g.WaitFor(-1, nullptr, 100);
    }
    return false;
}

TEST_F(NavigatorDouble, PictureShowsTitleAndHighlightedMenuButton) {
    DvdGraph g;
    ASSERT_TRUE(g.Ready());
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    ASSERT_TRUE(g.WaitFor(EC_DVD_CURRENT_HMSF_TIME));
    g.media->Pause();
    EXPECT_TRUE(WaitForPixel(g, 5, 5, RGB(20, 80, 40)));  // the title's background
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    ASSERT_EQ(S_OK, g.control->ShowMenu(DVD_MENU_Root, DVD_CMD_FLAG_Flush, nullptr));
    EXPECT_EQ(S_OK, g.control->SelectButton(2));
    g.WaitFor(-1, nullptr, 600);  // a frame of the menu reaches the renderer
    g.media->Pause();
    RECT second = {}, first = {};
    ASSERT_EQ(S_OK, g.info->GetButtonRect(2, &second));
    ASSERT_EQ(S_OK, g.info->GetButtonRect(1, &first));
    EXPECT_TRUE(WaitForPixel(g, 5, 5, RGB(40, 40, 120)));                             // the menu's background
    EXPECT_TRUE(WaitForPixel(g, second.left + 3, second.top + 3, RGB(250, 210, 0)));  // selected
    EXPECT_TRUE(WaitForPixel(g, first.left + 3, first.top + 3, RGB(90, 90, 170)));
}

TEST_F(NavigatorDouble, StopWithResetReturnsToTheStartOfTheDisc) {
    DvdGraph g;
    ASSERT_TRUE(g.Ready());
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START));
    EXPECT_EQ(S_OK, g.control->PlayTitle(3, DVD_CMD_FLAG_Block, nullptr));
    EXPECT_EQ(S_OK, g.control->SetOption(DVD_ResetOnStop, TRUE));
    EXPECT_TRUE(SUCCEEDED(g.media->Stop()));
    EXPECT_EQ(S_OK, g.control->SetOption(DVD_ResetOnStop, FALSE));
    DVD_DOMAIN domain;
    EXPECT_EQ(S_OK, g.info->GetCurrentDomain(&domain));
    EXPECT_EQ(DVD_DOMAIN_Stop, domain);
    EXPECT_EQ(S_OK, g.control->SelectParentalLevel(3));  // allowed while stopped only
    g.Drain();
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    Event e = {};
    ASSERT_TRUE(g.WaitFor(EC_DVD_TITLE_CHANGE, &e));
    EXPECT_EQ(1, e.p1);
    EXPECT_EQ(VFW_E_DVD_INVALIDDOMAIN, g.control->SelectParentalLevel(3));
}

TEST_F(NavigatorDouble, BookmarkGoesThroughOleStreamsAndRefusesAnotherDisc) {
    ComPtr<IStream> stream;
    {
        DvdGraph g;
        ASSERT_TRUE(g.Ready());
        ASSERT_TRUE(SUCCEEDED(g.media->Run()));
        ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START));
        EXPECT_EQ(S_OK, g.control->PlayChapterInTitle(2, 2, DVD_CMD_FLAG_Block, nullptr));
        ComPtr<IDvdState> state;
        ASSERT_EQ(S_OK, g.info->GetState(state.GetAddressOf()));
        ComPtr<IPersistStream> persist;
        ASSERT_TRUE(SUCCEEDED(Query(state.Get(), IID_IPersistStream, persist)));
        ASSERT_TRUE(SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf())));
        ASSERT_EQ(S_OK, ::OleSaveToStream(persist.Get(), stream.Get()));
    }
    DvdGraph g;
    ASSERT_TRUE(g.Ready());
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START));
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ComPtr<IDvdState> loaded;
    ASSERT_EQ(S_OK, ::OleLoadFromStream(stream.Get(), IID_IDvdState,
                                        reinterpret_cast<void**>(loaded.GetAddressOf())));
    ULONGLONG id = 0, discId = 0;
    EXPECT_EQ(S_OK, loaded->GetDiscID(&id));
    EXPECT_EQ(S_OK, g.info->GetDiscID(nullptr, &discId));
    EXPECT_EQ(discId, id);
    EXPECT_EQ(S_OK, g.control->SetState(loaded.Get(), DVD_CMD_FLAG_Block, nullptr));
    DVD_PLAYBACK_LOCATION2 loc = Location(g);
    EXPECT_EQ(2u, loc.TitleNum);
    EXPECT_EQ(2u, loc.ChapterNum);
    EXPECT_GE(fixture.FindCall("State.Save"), 0);
    EXPECT_GE(fixture.FindCall("State.Load"), 0);

    // Another disc: the same volume with another provider name in its video manager.
    std::string other = "C:\\tm_dvdnav\\other";
    ::CreateDirectoryA(other.c_str(), nullptr);
    std::string src = dvdnav::NavigatorFixture::DiscFolder();
    ASSERT_TRUE(::CopyFileA((src + "\\VTS_01_0.IFO").c_str(), (other + "\\VTS_01_0.IFO").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA((src + "\\VIDEO_TS.IFO").c_str(), (other + "\\VIDEO_TS.IFO").c_str(), FALSE));
    {
        FILE* f = std::fopen((other + "\\VIDEO_TS.IFO").c_str(), "r+b");
        ASSERT_TRUE(f);
        std::fseek(f, 0x40, SEEK_SET);
        std::fputs("ANOTHER DISC", f);
        std::fclose(f);
    }
    ComPtr<IDvdState> foreign;
    {
        DvdGraph o(Wide(other + "\\VIDEO_TS.IFO"));
        ASSERT_TRUE(o.Ready());
        ASSERT_TRUE(SUCCEEDED(o.media->Run()));
        ASSERT_TRUE(o.WaitFor(EC_DVD_CHAPTER_START));
        ASSERT_EQ(S_OK, o.info->GetState(foreign.GetAddressOf()));
    }
    EXPECT_EQ(S_OK, g.control->PlayTitle(3, DVD_CMD_FLAG_Block, nullptr));
    EXPECT_EQ(VFW_E_DVD_STATE_WRONG_DISC, g.control->SetState(foreign.Get(), DVD_CMD_FLAG_Block, nullptr));
    EXPECT_EQ(3u, Location(g).TitleNum);
    ::DeleteFileA((other + "\\VIDEO_TS.IFO").c_str());
    ::DeleteFileA((other + "\\VTS_01_0.IFO").c_str());
    ::RemoveDirectoryA(other.c_str());
}

TEST_F(NavigatorDouble, ScriptShapesWhatTheDiscCannotShow) {
    {
        ASSERT_TRUE(fixture.WriteScript("first_play none\nevent run EC_DVD_WARNING 4\n"));
        DvdGraph g;
        ASSERT_TRUE(g.Ready());
        ASSERT_TRUE(SUCCEEDED(g.media->Run()));
        Event e = {};
        ASSERT_TRUE(g.WaitFor(EC_DVD_WARNING, &e));
        EXPECT_EQ(4, e.p1);
        ASSERT_TRUE(g.WaitFor(EC_DVD_NO_FP_PGC));
        EXPECT_EQ(S_OK, g.control->PlayTitle(1, DVD_CMD_FLAG_None, nullptr));
        EXPECT_EQ(1u, Location(g).TitleNum);
    }
    {
        ASSERT_TRUE(fixture.WriteScript("old_navigator\n"));
        DvdGraph g;
        EXPECT_FALSE(g.control);
        EXPECT_FALSE(g.info);
        ComPtr<IUnknown> old;
        EXPECT_EQ(S_OK,
                  g.builder->GetDvdInterface(IID_IDvdInfo, reinterpret_cast<void**>(old.GetAddressOf())));
    }
    {
        ASSERT_TRUE(fixture.WriteScript("line21\n"));
        DvdGraph g;
        ComPtr<IAMLine21Decoder> decoder;
        ASSERT_EQ(S_OK, g.builder->GetDvdInterface(IID_IAMLine21Decoder,
                                                   reinterpret_cast<void**>(decoder.GetAddressOf())));
        EXPECT_EQ(S_OK, decoder->SetServiceState(AM_L21_CCSTATE_On));
        AM_LINE21_CCSTATE state = AM_L21_CCSTATE_Off;
        EXPECT_EQ(S_OK, decoder->GetServiceState(&state));
        EXPECT_EQ(AM_L21_CCSTATE_On, state);
        EXPECT_EQ(E_INVALIDARG, decoder->SetServiceState(static_cast<AM_LINE21_CCSTATE>(7)));
        EXPECT_GE(fixture.FindCall("Line21.SetServiceState 1"), 0);
    }
    {
        ASSERT_TRUE(fixture.WriteScript("mixer\n"));
        DvdGraph g;
        ComPtr<dvdnav::IMixerConfig2> mixer;
        ASSERT_EQ(S_OK, g.builder->GetDvdInterface(IID_IMixerPinConfig2,
                                                   reinterpret_cast<void**>(mixer.GetAddressOf())));
        DDCOLORCONTROL colours = {};
        ASSERT_EQ(S_OK, mixer->GetOverlaySurfaceColorControls(&colours));
        EXPECT_EQ(750, colours.lBrightness);
        colours.lBrightness = 10000;
        EXPECT_EQ(S_OK, mixer->SetOverlaySurfaceColorControls(&colours));
        EXPECT_GE(fixture.FindCall("Mixer.SetOverlaySurfaceColorControls 10000 10000"), 0);
    }
    {
        ASSERT_TRUE(fixture.WriteScript("render_hr 0x8004027B\n"));
        DvdGraph g;
        EXPECT_EQ(VFW_E_DVD_DECNOTENOUGH, g.rendered);
    }
    {
        ASSERT_TRUE(
            fixture.WriteScript("render_partial bNoLine21Out=1 iNumStreams=4 iNumStreamsFailed=1 "
                                "dwFailedStreamsFlag=2\n"));
        DvdGraph g;
        EXPECT_EQ(S_FALSE, g.rendered);
        EXPECT_TRUE(g.status.bNoLine21Out);
        EXPECT_EQ(1, g.status.iNumStreamsFailed);
        EXPECT_EQ(2u, g.status.dwFailedStreamsFlag);
        EXPECT_TRUE(g.Ready());
    }
    {
        ASSERT_TRUE(fixture.WriteScript("fail *Info 0x80004005\ninhibit ShowMenu\nkaraoke 0\n"));
        DvdGraph g;
        ASSERT_TRUE(g.Ready());
        ULONG count = 0, current = 0;
        EXPECT_EQ(E_FAIL, g.info->GetCurrentAudio(&count, &current));
        EXPECT_EQ(E_FAIL, g.info->GetNumberOfChapters(1, &count));
        ASSERT_TRUE(SUCCEEDED(g.media->Run()));
        ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START));
        EXPECT_EQ(VFW_E_DVD_OPERATION_INHIBITED,
                  g.control->ShowMenu(DVD_MENU_Title, DVD_CMD_FLAG_Flush, nullptr));
        EXPECT_EQ(S_OK, g.control->SelectKaraokeAudioPresentationMode(1));
    }
    {
        ASSERT_TRUE(fixture.WriteScript(
            "text 1033 48 Tesmaro test disc\nkaraoke 1 2 0x1,0x2,0x4\n"
            "attr audio 1 AudioFormat=99 dwFrequency=96000\nattr video ulAspectX=16 "
            "ulAspectY=9\nattr subpicture 1 Type=7 Language=0\nattr karaoke 1 fDuet=1\n"));
        DvdGraph g;
        ASSERT_TRUE(g.Ready());
        ULONG languages = 0, strings = 0, needed = 0;
        LCID lcid = 0;
        DVD_TextCharSet charset;
        EXPECT_EQ(S_OK, g.info->GetDVDTextNumberOfLanguages(&languages));
        EXPECT_EQ(1u, languages);
        EXPECT_EQ(S_OK, g.info->GetDVDTextLanguageInfo(0, &strings, &lcid, &charset));
        EXPECT_EQ(1u, strings);
        EXPECT_EQ(1033u, lcid);
        WCHAR text[64];
        DVD_TextStringType type;
        EXPECT_EQ(S_OK, g.info->GetDVDTextStringAsUnicode(0, 0, text, 64, &needed, &type));
        EXPECT_STREQ(L"Tesmaro test disc", text);
        EXPECT_EQ(48, static_cast<int>(type));
        DVD_KaraokeAttributes ka = {};
        EXPECT_EQ(S_OK, g.info->GetKaraokeAttributes(1, &ka));
        EXPECT_EQ(DVD_Assignment_LR, ka.ChannelAssignment);
        EXPECT_EQ(4, ka.wChannelContents[2]);
        DVD_AudioAttributes aa = {};
        EXPECT_EQ(S_OK, g.info->GetAudioAttributes(1, &aa));
        EXPECT_EQ(DVD_AudioMode_Karaoke, aa.AppMode);
        EXPECT_EQ(99, static_cast<int>(aa.AudioFormat));
        EXPECT_EQ(96000u, aa.dwFrequency);
        EXPECT_EQ(3u, aa.bNumberOfChannels);  // one per karaoke channel
        EXPECT_TRUE(ka.fDuet);
        DVD_VideoAttributes va = {};
        EXPECT_EQ(S_OK, g.info->GetCurrentVideoAttributes(&va));
        EXPECT_EQ(16u, va.ulAspectX);
        EXPECT_EQ(576u, va.ulFrameHeight);  // the rest from the disc
        DVD_SubpictureAttributes sa = {};
        EXPECT_EQ(S_OK, g.info->GetSubpictureAttributes(1, &sa));
        EXPECT_EQ(7, static_cast<int>(sa.Type));
        EXPECT_EQ(0u, sa.Language);
    }
}

TEST_F(NavigatorDouble, EventsInjectedWhileRunningReachTheGraphQueue) {
    DvdGraph g;
    ASSERT_TRUE(g.Ready());
    ASSERT_TRUE(SUCCEEDED(g.media->Run()));
    ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START));
    // The fixture waits for the navigator to take the file, while this thread is busy: pump from a
    // second thread is not needed because the navigator polls on its own thread.
    ASSERT_TRUE(fixture.InjectEvent(EC_DVD_ERROR, 4, 0));
    Event e = {};
    ASSERT_TRUE(g.WaitFor(EC_DVD_ERROR, &e));
    EXPECT_EQ(4, e.p1);
    ASSERT_TRUE(fixture.InjectEvent(EC_DVD_STILL_ON, 1, 0));
    ASSERT_TRUE(g.WaitFor(EC_DVD_STILL_ON));
    EXPECT_EQ(S_OK, g.control->StillOff());
    ASSERT_TRUE(g.WaitFor(EC_DVD_STILL_OFF));
    ASSERT_TRUE(fixture.InjectEvent(EC_DVD_PARENTAL_LEVEL_CHANGE, 6, 0));
    ASSERT_TRUE(g.WaitFor(EC_DVD_PARENTAL_LEVEL_CHANGE));
    EXPECT_EQ(S_OK, g.control->AcceptParentalLevelChange(TRUE));
    ULONG level = 0;
    EXPECT_EQ(S_OK, g.info->GetPlayerParentalLevel(&level, nullptr));
    EXPECT_EQ(6u, level);
    EXPECT_GE(fixture.WaitForCall("AcceptParentalLevelChange 1", 1000), 0);
}

TEST_F(NavigatorDouble, ReleasingEveryInterfaceFreesTheNavigator) {
    HMODULE dll = nullptr;
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    CanUnload canUnload = nullptr;
    {
        DvdGraph g;
        ASSERT_TRUE(g.Ready());
        ASSERT_TRUE(SUCCEEDED(g.media->Run()));
        ASSERT_TRUE(g.WaitFor(EC_DVD_CHAPTER_START));
        ComPtr<IDvdCmd> cmd;
        ASSERT_EQ(S_OK, g.control->PlayNextChapter(DVD_CMD_FLAG_None, cmd.GetAddressOf()));
        ComPtr<IDvdState> state;
        ASSERT_EQ(S_OK, g.info->GetState(state.GetAddressOf()));
        dll = ::GetModuleHandleA("tm_dvdnav.dll");
        ASSERT_TRUE(dll);
        canUnload =
            reinterpret_cast<CanUnload>(reinterpret_cast<void*>(::GetProcAddress(dll, "DllCanUnloadNow")));
        ASSERT_TRUE(canUnload);
        EXPECT_EQ(S_FALSE, canUnload());
    }
    EXPECT_EQ(S_OK, canUnload());
}

TEST(NavigatorRegistration, FixtureRestoresWineBuilder) {
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    char before[MAX_PATH] = {}, during[MAX_PATH] = {}, after[MAX_PATH] = {};
    DWORD size = sizeof before;
    const char* key = "CLSID\\{FCC152B7-F372-11D0-8E00-00C04FD7C08B}\\InprocServer32";
    ::RegGetValueA(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, before, &size);
    {
        dvdnav::NavigatorFixture fixture;
        ASSERT_TRUE(fixture.Registered());
        size = sizeof during;
        ::RegGetValueA(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, during, &size);
        EXPECT_EQ(dvdnav::NavigatorFixture::DllPath(), std::string(during));
    }
    size = sizeof after;
    ::RegGetValueA(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, after, &size);
    EXPECT_STREQ(before, after);
    // Wine's own builder renders no volume.
    ComPtr<IDvdGraphBuilder> builder;
    if (SUCCEEDED(::CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IDvdGraphBuilder,
                                     reinterpret_cast<void**>(builder.GetAddressOf())))) {
        AM_DVD_RENDERSTATUS status = {};
        std::wstring ifo = Wide(dvdnav::NavigatorFixture::DiscIfoPath());
        EXPECT_TRUE(FAILED(builder->RenderDvdVideoVolume(ifo.c_str(), AM_DVD_HWDEC_PREFER, &status)));
    }
    builder.Reset();
    ::CoUninitialize();
}

}  // namespace
