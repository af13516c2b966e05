// Our navigator in a real Wine graph, driven as the DVD engine drives a DVD graph builder, on
// the volume of coloured titles: what it shows, what it says, and how it obeys.
#include <gtest/gtest.h>

#include <objbase.h>

#include "DvdTime.h"
#include "NavGraph.h"

using namespace navtest;

namespace {

class NavigatorPlayback : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        nav = std::make_unique<NavGraph>(DiscIfo("colours"));
        ASSERT_EQ(S_OK, nav->rendered);
        ASSERT_TRUE(nav->Prepare());
    }
    void TearDown() override {
        nav.reset();
        ::CoUninitialize();
    }
    // Plays until title 1 is on the screen.
    void StartTitleOne() {
        ASSERT_HRESULT_SUCCEEDED(nav->Play());
        ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return e.p1 == 1; }));
        ASSERT_TRUE(nav->WaitForTime(0));
    }
    std::unique_ptr<NavGraph> nav;
};

bool TitleIs(const Event& e, LONG_PTR title) {
    return e.p1 == title;
}

TEST_F(NavigatorPlayback, OpeningShowsTitleOneRed) {
    StartTitleOne();
    Colour c;
    ASSERT_TRUE(nav->ShownColour(c));
    EXPECT_TRUE(IsRed(c)) << c.r << "," << c.g << "," << c.b;
    DVD_DOMAIN domain;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentDomain(&domain));
    EXPECT_EQ(DVD_DOMAIN_Title, domain);
}

TEST_F(NavigatorPlayback, TimeAdvancesAsThePictureDoes) {
    StartTitleOne();
    ASSERT_TRUE(nav->WaitForTime(2000, 6000));
    DVD_PLAYBACK_LOCATION2 where{};
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentLocation(&where));
    EXPECT_EQ(1u, where.TitleNum);
    EXPECT_EQ(1u, where.ChapterNum);
    EXPECT_GE(where.TimeCode.bSeconds, 2);
}

TEST_F(NavigatorPlayback, NextChapterShowsGreenAndPreviousRedAgain) {
    StartTitleOne();
    IDvdCmd* cmd = nullptr;
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->PlayNextChapter(DVD_CMD_FLAG_None, &cmd));
    ASSERT_NE(nullptr, cmd);
    EXPECT_HRESULT_SUCCEEDED(cmd->WaitForEnd());
    cmd->Release();
    ASSERT_TRUE(nav->WaitFor(EC_DVD_CHAPTER_START, [](const Event& e) { return e.p1 == 2; }));
    ASSERT_TRUE(nav->WaitForTime(6000));
    Colour c;
    ASSERT_TRUE(nav->ShownColour(c));
    EXPECT_TRUE(IsGreen(c)) << c.r << "," << c.g << "," << c.b;

    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->PlayPrevChapter(DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_CHAPTER_START, [](const Event& e) { return e.p1 == 1; }));
    ASSERT_TRUE(nav->ShownColour(c));
    EXPECT_TRUE(IsRed(c)) << c.r << "," << c.g << "," << c.b;
    // There is no chapter before the first.
    EXPECT_EQ(E_INVALIDARG, nav->control->PlayPrevChapter(DVD_CMD_FLAG_Block, nullptr));
}

TEST_F(NavigatorPlayback, TitleJumpShowsBlue) {
    StartTitleOne();
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->PlayTitle(2, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return TitleIs(e, 2); }));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_CHAPTER_START, [](const Event& e) { return e.p1 == 1; }));
    Colour c;
    ASSERT_TRUE(nav->ShownColour(c));
    EXPECT_TRUE(IsBlue(c)) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(E_INVALIDARG, nav->control->PlayTitle(3, DVD_CMD_FLAG_Block, nullptr));
}

TEST_F(NavigatorPlayback, PauseFreezesTheTimeAndRunResumesIt) {
    StartTitleOne();
    ASSERT_TRUE(nav->WaitForTime(1000));
    ASSERT_HRESULT_SUCCEEDED(nav->media->Pause());
    nav->Pump(100);  // a time event on its way before the pause may still come
    int64_t frozen = nav->LastTimeMs();
    // No new second while paused: waiting for one must time out.
    EXPECT_FALSE(nav->WaitForTime(frozen + 1000, 2500));
    ASSERT_HRESULT_SUCCEEDED(nav->media->Run());
    EXPECT_TRUE(nav->WaitForTime(frozen + 1000, 3000));
}

TEST_F(NavigatorPlayback, StopAndPlayStartOverFromTheDiscStart) {
    StartTitleOne();
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->PlayTitle(2, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return TitleIs(e, 2); }));
    nav->Mark();
    nav->StopAndReset();
    ASSERT_TRUE(nav->WaitFor(EC_DVD_DOMAIN_CHANGE, [](const Event& e) { return e.p1 == DVD_DOMAIN_Stop; }));
    ASSERT_HRESULT_SUCCEEDED(nav->Play());
    ASSERT_TRUE(nav->WaitFor(EC_DVD_TITLE_CHANGE, [](const Event& e) { return TitleIs(e, 1); }));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_CURRENT_HMSF_TIME));
    EXPECT_LT(nav->LastTimeMs(), 2000);
    Colour c;
    ASSERT_TRUE(nav->ShownColour(c));
    EXPECT_TRUE(IsRed(c)) << c.r << "," << c.g << "," << c.b;
}

TEST_F(NavigatorPlayback, ScansMoveTheTimeByTheirRates) {
    StartTitleOne();
    ASSERT_TRUE(nav->WaitForTime(1000));
    DWORD start = ::GetTickCount();
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->PlayForwards(4.0, DVD_CMD_FLAG_None, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_PLAYBACK_RATE_CHANGE, [](const Event& e) { return e.p1 == 40000; }));
    ASSERT_TRUE(nav->WaitForTime(7000, 4000));
    // Four seconds of title a second, give or take a step.
    double wall = (::GetTickCount() - start) / 1000.0;
    EXPECT_LT(wall, 2.5);
    nav->Mark();
    int64_t from = nav->LastTimeMs();
    ASSERT_HRESULT_SUCCEEDED(nav->control->PlayBackwards(2.0, DVD_CMD_FLAG_None, nullptr));
    ASSERT_TRUE(nav->WaitFor(
        EC_DVD_CURRENT_HMSF_TIME,
        [from](const Event& e) {
            return navigator::HmsfToMs(navigator::UnpackHmsf(static_cast<uint32_t>(e.p1)), 25) <= from - 2000;
        },
        4000));
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->PlayForwards(1.0, DVD_CMD_FLAG_None, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_PLAYBACK_RATE_CHANGE, [](const Event& e) { return e.p1 == 10000; }));
}

TEST_F(NavigatorPlayback, PlayAtTimeGoesToThatTime) {
    StartTitleOne();
    DVD_HMSF_TIMECODE at{0, 0, 8, 0};
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->PlayAtTime(&at, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_CHAPTER_START, [](const Event& e) { return e.p1 == 2; }));
    ASSERT_TRUE(nav->WaitForTime(8000, 4000));
    EXPECT_LT(nav->LastTimeMs(), 10000);
    Colour c;
    ASSERT_TRUE(nav->ShownColour(c));
    EXPECT_TRUE(IsGreen(c)) << c.r << "," << c.g << "," << c.b;
    DVD_HMSF_TIMECODE beyond{0, 0, 30, 0};
    EXPECT_EQ(E_INVALIDARG, nav->control->PlayAtTime(&beyond, DVD_CMD_FLAG_Block, nullptr));
}

TEST_F(NavigatorPlayback, AudioStreamTwoIsSelectableAndReported) {
    StartTitleOne();
    ULONG count = 0, current = 9;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentAudio(&count, &current));
    EXPECT_EQ(2u, count);
    EXPECT_EQ(0u, current);
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->SelectAudioStream(1, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_AUDIO_STREAM_CHANGE, [](const Event& e) { return e.p1 == 1; }));
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentAudio(&count, &current));
    EXPECT_EQ(1u, current);
    LCID language = 0;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetAudioLanguage(1, &language));
    EXPECT_EQ(0x040cu, language);  // French
    DVD_AudioAttributes attributes{};
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetAudioAttributes(DVD_STREAM_DATA_CURRENT, &attributes));
    EXPECT_EQ(DVD_AudioFormat_LPCM, attributes.AudioFormat);
    EXPECT_EQ(E_INVALIDARG, nav->control->SelectAudioStream(2, DVD_CMD_FLAG_Block, nullptr));
}

TEST_F(NavigatorPlayback, SubtitlesGoOnAndOff) {
    StartTitleOne();
    ULONG count = 0, current = 9;
    WINBOOL disabled = FALSE;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentSubpicture(&count, &current, &disabled));
    EXPECT_EQ(1u, count);
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->SelectSubpictureStream(0, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_HRESULT_SUCCEEDED(nav->control->SetSubpictureState(TRUE, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_SUBPICTURE_STREAM_CHANGE, [](const Event& e) { return e.p2 == TRUE; }));
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentSubpicture(&count, &current, &disabled));
    EXPECT_FALSE(disabled);
    nav->Mark();
    ASSERT_HRESULT_SUCCEEDED(nav->control->SetSubpictureState(FALSE, DVD_CMD_FLAG_Block, nullptr));
    ASSERT_TRUE(nav->WaitFor(EC_DVD_SUBPICTURE_STREAM_CHANGE, [](const Event& e) { return e.p2 == FALSE; }));
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentSubpicture(&count, &current, &disabled));
    EXPECT_TRUE(disabled);
    LCID language = 0;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetSubpictureLanguage(0, &language));
    EXPECT_EQ(0x0409u, language);  // English
}

TEST_F(NavigatorPlayback, DiscInformationComesFromTheIfo) {
    ULONG volumes = 0, volume = 0, titles = 0;
    DVD_DISC_SIDE side;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetDVDVolumeInfo(&volumes, &volume, &side, &titles));
    EXPECT_EQ(2u, titles);
    EXPECT_EQ(1u, volumes);
    ULONG chapters = 0;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetNumberOfChapters(1, &chapters));
    EXPECT_EQ(2u, chapters);
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetNumberOfChapters(2, &chapters));
    EXPECT_EQ(1u, chapters);
    EXPECT_EQ(E_INVALIDARG, nav->info->GetNumberOfChapters(3, &chapters));
    StartTitleOne();
    DVD_HMSF_TIMECODE total{};
    ULONG flags = 0;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetTotalTitleTime(&total, &flags));
    EXPECT_EQ(0, total.bMinutes);
    EXPECT_GE(total.bSeconds, 11);
    EXPECT_LE(total.bSeconds, 12);
    EXPECT_EQ(static_cast<ULONG>(DVD_TC_FLAG_25fps), flags);
    DVD_VideoAttributes video{};
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetCurrentVideoAttributes(&video));
    EXPECT_EQ(4u, video.ulAspectX);
    EXPECT_EQ(3u, video.ulAspectY);
    EXPECT_EQ(576u, video.ulFrameHeight);
    EXPECT_EQ(DVD_VideoCompression_MPEG2, video.Compression);
    DVD_AudioAttributes audio{};
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetAudioAttributes(0, &audio));
    EXPECT_EQ(DVD_AudioFormat_AC3, audio.AudioFormat);
    EXPECT_EQ(48000u, audio.dwFrequency);
    EXPECT_EQ(0x0409u, audio.Language);
    DVD_SubpictureAttributes sub{};
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetSubpictureAttributes(0, &sub));
    EXPECT_EQ(DVD_SPType_Language, sub.Type);
    ULONG text = 9;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetDVDTextNumberOfLanguages(&text));
    EXPECT_EQ(0u, text);
    wchar_t folder[MAX_PATH] = {};
    ULONG needed = 0;
    ASSERT_HRESULT_SUCCEEDED(nav->info->GetDVDDirectory(folder, MAX_PATH, &needed));
    EXPECT_NE(nullptr, wcsstr(folder, L"VIDEO_TS"));
}

}  // namespace
