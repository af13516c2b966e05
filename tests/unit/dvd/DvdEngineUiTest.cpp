// The DVD engine of the program, in this process, on the navigator double and the disc the build
// authored: the popup menu read back from the real menu while it is tracked, its entries reaching
// the navigator, the dialogs with the navigator's values, the disc-information boxes, the bookmark
// file and the region change.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dvdevcod.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DecoderFiles.h"
#include "Driver.h"
#include "DvdBookmark.h"
#include "DvdMenu.h"
#include "DvdPlayer.h"
#include "NavigatorFixture.h"
#include "resource.h"

namespace {

constexpr char kRegionKey[] = "Software\\TesmaroTest\\Region";

std::string N(long value) {
    return std::to_string(value);
}

struct Item {
    UINT id = 0;
    std::string text;
    bool checked = false;
    bool grayed = false;
};

std::vector<Item> ReadItems(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        UINT state = ::GetMenuState(menu, i, MF_BYPOSITION);
        items.push_back(
            {::GetMenuItemID(menu, i), text, (state & MF_CHECKED) != 0, (state & MF_GRAYED) != 0});
    }
    return items;
}

// What the popup showed, read while it was tracked.
struct PopupContents {
    bool seen = false;
    std::vector<Item> top, subtitles, languages, filters, titles, chapters;
};

// Runs `act` on a thread of its own once a shown top-level window of this process matches.
class Watcher {
public:
    Watcher(const char* className, const char* caption, std::function<void(HWND)> act)
        : mClass(className ? className : ""), mCaption(caption ? caption : ""), mAct(std::move(act)) {
        mThread = ::CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~Watcher() { Join(); }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;
    void Join() {
        if (!mThread) return;
        ::WaitForSingleObject(mThread, 30000);
        ::CloseHandle(mThread);
        mThread = nullptr;
    }
    bool found = false;

private:
    static DWORD WINAPI Watch(void* self) {
        auto* w = static_cast<Watcher*>(self);
        HWND window = nullptr;
        e2e::WaitUntil(
            [&] {
                window = e2e::FindTopWindow(w->mClass.empty() ? nullptr : w->mClass.c_str(),
                                            w->mCaption.empty() ? nullptr : w->mCaption.c_str(),
                                            ::GetCurrentProcessId());
                return window && e2e::IsShown(window);
            },
            10000);
        if (!window || !e2e::IsShown(window)) return 0;
        w->found = true;
        w->mAct(window);
        return 0;
    }
    std::string mClass, mCaption;
    std::function<void(HWND)> mAct;
    HANDLE mThread = nullptr;
};

// Handles every message this thread has queued by now: whatever the engine posted to itself
// before is done.
void DrainThisThread() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

void Type(HWND dialog, int id, const char* text) {
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
void Press(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

std::vector<std::string> ComboTexts(HWND combo) {
    std::vector<std::string> texts;
    LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[128] = {};
        ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

std::string LocaleName(LCID lcid) {
    char name[50] = {};
    if (lcid == 0 || ::GetLocaleInfoA(lcid, LOCALE_SLANGUAGE, name, sizeof(name)) <= 0) return "";
    return name;
}

class DvdEngineUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_TRUE(nav.Registered());
        owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 160, 700, 460, 60, nullptr, nullptr,
                                  nullptr, nullptr);
        boxes = std::make_unique<e2e::MessageBoxGuard>(::GetCurrentProcessId());
        ::DeleteFileA(kLegacyBookmarkPath);
    }
    void TearDown() override {
        player.reset();
        boxes.reset();
        ::DestroyWindow(owner);
        ::DeleteFileA(kLegacyBookmarkPath);
        ::CoUninitialize();
    }

    // Opens the disc as the main window does and waits for title 1 to play.
    bool Open(const std::string& script = {}) {
        nav.WriteScript(script);
        player = std::make_unique<DvdPlayer>(::GetModuleHandleA(nullptr), owner, nullptr);
        std::string ifo = dvdnav::NavigatorFixture::DiscIfoPath();
        player->SetPath(ifo.c_str());
        if (!player->Initialize()) return false;
        player->SetVideoWindowTitle(kDvdWindowTitle);
        if (!player->SetDvdDirectory(ifo.c_str())) return false;
        if (FAILED(player->PlayDvd())) return false;
        player->SelectSubpicture(0);
        return e2e::WaitUntil([&] { return player->GetCurrentTitle() == 1 && player->GetCurrentChapter() >= 1; },
                              10000);
    }

    // Waits for the engine to reach title/chapter through the navigator's events.
    bool Reaches(ULONG title, ULONG chapter) {
        return e2e::WaitUntil(
            [&] { return player->GetCurrentTitle() == title && player->GetCurrentChapter() == chapter; }, 10000);
    }

    // Right-clicks the picture and reads the popup while it is tracked, then dismisses it.
    PopupContents RightClick() {
        PopupContents contents;
        Watcher watcher("#32768", nullptr, [&](HWND menuWindow) {
            // The window is there before the menu it tracks is handed to it.
            HMENU popup = nullptr;
            e2e::WaitUntil(
                [&] {
                    popup = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
                    return popup != nullptr;
                },
                5000);
            if (popup) {
                contents.seen = true;
                contents.top = ReadItems(popup);
                contents.subtitles = ReadItems(::GetSubMenu(popup, kSubTitlesSubmenu));
                contents.languages = ReadItems(::GetSubMenu(popup, kLanguagesSubmenu));
                contents.filters = ReadItems(::GetSubMenu(popup, kFiltersSubmenu));
                contents.titles = ReadItems(::GetSubMenu(popup, kTitleSubmenu));
                contents.chapters = ReadItems(::GetSubMenu(popup, kChapterSubmenu));
            }
            ::PostMessageA(player->VideoWindowHandle(), WM_CANCELMODE, 0, 0);
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 1);
        });
        ::SendMessageA(player->VideoWindowHandle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 40));
        watcher.Join();
        return contents;
    }

    // Sends a command to the video window as a chosen menu entry would.
    void Choose(UINT id) { ::SendMessageA(player->VideoWindowHandle(), WM_COMMAND, id, 0); }

    size_t Mark() const { return nav.Calls().size(); }
    bool Called(const std::string& prefix, size_t from, DWORD timeoutMs = 5000) const {
        return nav.WaitForCall(prefix, timeoutMs, from) >= 0;
    }

    dvdnav::NavigatorFixture nav;
    HWND owner = nullptr;
    std::unique_ptr<e2e::MessageBoxGuard> boxes;
    std::unique_ptr<DvdPlayer> player;
};

const Item* FindItem(const std::vector<Item>& items, UINT id) {
    for (const Item& item : items) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

TEST_F(DvdEngineUiTest, ThePopupListsTheDiscsStreamsTitlesAndChaptersWithTheCurrentOnesChecked) {
    ASSERT_TRUE(Open());
    IDvdInfo2* info = player->Info();
    ULONG audioCount = 0, audioCurrent = 0, spCount = 0, spCurrent = 0, chapters = 0;
    BOOL spDisabled = TRUE;
    ASSERT_HRESULT_SUCCEEDED(info->GetCurrentAudio(&audioCount, &audioCurrent));
    ASSERT_HRESULT_SUCCEEDED(info->GetCurrentSubpicture(&spCount, &spCurrent, &spDisabled));
    ASSERT_HRESULT_SUCCEEDED(info->GetNumberOfChapters(1, &chapters));
    ASSERT_GE(audioCount, 2u);
    ASSERT_GE(spCount, 2u);
    ASSERT_GE(chapters, 2u);

    PopupContents popup = RightClick();
    ASSERT_TRUE(popup.seen);
    // Playing: Play is grayed, Pause and Stop are not.
    EXPECT_TRUE(FindItem(popup.top, ID_PLAYBACK_PLAY)->grayed);
    EXPECT_FALSE(FindItem(popup.top, ID_PLAYBACK_PAUSE)->grayed);
    EXPECT_FALSE(FindItem(popup.top, ID_PLAYBACK_STOP)->grayed);
    EXPECT_FALSE(FindItem(popup.top, ID_OPTIONS_CLOSEDCAPTION)->checked);

    ASSERT_EQ(2u + spCount, popup.subtitles.size());
    EXPECT_FALSE(popup.subtitles[0].checked);  // "Disable": subpictures are shown from stream 0
    for (ULONG i = 0; i < spCount; ++i) {
        LCID lcid = 0;
        ASSERT_HRESULT_SUCCEEDED(info->GetSubpictureLanguage(i, &lcid));
        const Item& item = popup.subtitles[2 + i];
        EXPECT_EQ(ID_DVD_SUBPICTURE_BASE + i, item.id);
        EXPECT_EQ(LocaleName(lcid), item.text);
        EXPECT_FALSE(item.text.empty());
        EXPECT_EQ(i == spCurrent, item.checked) << i;
    }
    ASSERT_EQ(1u + audioCount, popup.languages.size());
    for (ULONG i = 0; i < audioCount; ++i) {
        LCID lcid = 0;
        ASSERT_HRESULT_SUCCEEDED(info->GetAudioLanguage(i, &lcid));
        const Item& item = popup.languages[1 + i];
        EXPECT_EQ(ID_DVD_AUDIO_BASE + i, item.id);
        EXPECT_EQ(LocaleName(lcid), item.text);
        EXPECT_EQ(i == audioCurrent, item.checked) << i;
    }
    // The authored disc has three titles.
    ASSERT_EQ(1u + 3u, popup.titles.size());
    for (unsigned t = 1; t <= 3; ++t) {
        EXPECT_EQ(ID_DVD_TITLE_BASE + t, popup.titles[t].id);
        EXPECT_EQ("Title " + N(t), popup.titles[t].text);
        EXPECT_EQ(t == 1, popup.titles[t].checked);
    }
    ASSERT_EQ(1u + chapters, popup.chapters.size());
    for (unsigned c = 1; c <= chapters; ++c) {
        EXPECT_EQ(ID_DVD_CHAPTER_BASE + c, popup.chapters[c].id);
        EXPECT_EQ("Chapter " + N(c), popup.chapters[c].text);
        EXPECT_EQ(c == player->GetCurrentChapter(), popup.chapters[c].checked);
    }
    // The graph's filters, the navigator among them.
    ASSERT_GE(popup.filters.size(), 2u);
    bool navigatorListed = false;
    for (size_t i = 1; i < popup.filters.size(); ++i) {
        EXPECT_EQ(ID_FILTER_BASE + i, popup.filters[i].id);
        EXPECT_EQ(popup.filters[i].text, player->FilterName(i));
        navigatorListed |= popup.filters[i].text == "DVD Navigator";
    }
    EXPECT_TRUE(navigatorListed);
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(DvdEngineUiTest, ChoosingEntriesChangesTitleChapterAndStreams) {
    ASSERT_TRUE(Open());
    size_t mark = Mark();
    Choose(ID_DVD_TITLE_BASE + 2);
    EXPECT_TRUE(Called("PlayChapterInTitle 2 1 " + N(DVD_CMD_FLAG_Block), mark));
    EXPECT_TRUE(Reaches(2, 1));

    mark = Mark();
    Choose(ID_DVD_CHAPTER_BASE + 2);
    EXPECT_TRUE(Called("PlayChapter 2 " + N(DVD_CMD_FLAG_Block), mark));
    EXPECT_TRUE(Reaches(2, 2));

    mark = Mark();
    Choose(ID_DVD_AUDIO_BASE + 1);
    EXPECT_TRUE(Called("SelectAudioStream 1 0", mark));
    ULONG count = 0, current = 0;
    ASSERT_HRESULT_SUCCEEDED(player->Info()->GetCurrentAudio(&count, &current));
    EXPECT_EQ(1u, current);

    mark = Mark();
    Choose(ID_DVD_SUBPICTURE_BASE + 1);
    EXPECT_TRUE(Called("SetSubpictureState 1 0", mark));
    EXPECT_TRUE(Called("SelectSubpictureStream 1 0", mark));

    mark = Mark();
    Choose(ID_SUBPICTURE_DISABLE);
    EXPECT_TRUE(Called("SetSubpictureState 0 0", mark));
    EXPECT_FALSE(player->SubpicturesShown());
    PopupContents popup = RightClick();
    ASSERT_TRUE(popup.seen);
    ASSERT_FALSE(popup.subtitles.empty());
    EXPECT_TRUE(popup.subtitles[0].checked);  // "Disable", and no stream checked
    for (size_t i = 2; i < popup.subtitles.size(); ++i)
        EXPECT_FALSE(popup.subtitles[i].checked);
    // The chapters follow the title now playing.
    ASSERT_GE(popup.chapters.size(), 3u);
    EXPECT_TRUE(popup.chapters[2].checked);
    EXPECT_TRUE(popup.titles[2].checked);
}

TEST_F(DvdEngineUiTest, StreamsWithoutALanguageCodeAreNamedFromTheirAttributesOrUnknown) {
    ASSERT_TRUE(Open("audio_lang 1 0\nsubpicture_lang 0 0\n"));
    PopupContents popup = RightClick();
    ASSERT_TRUE(popup.seen);
    ASSERT_GE(popup.languages.size(), 3u);
    EXPECT_EQ("Unknown", popup.languages[2].text);
    ASSERT_GE(popup.subtitles.size(), 3u);
    EXPECT_EQ("Unknown", popup.subtitles[2].text);
}

TEST_F(DvdEngineUiTest, ANavigatorFailingHalfwayLeavesTheEntriesSoFarAndNoBox) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(nav.Inject("fail GetAudioLanguage"));
    ASSERT_TRUE(nav.Inject("fail GetNumberOfChapters"));
    // The double takes a directive up on its own thread: the menu may still be filled from the
    // answers before it.
    PopupContents popup;
    e2e::WaitUntil(
        [&] {
            popup = RightClick();
            return popup.seen && popup.languages.size() == 1u && popup.chapters.size() == 1u;
        },
        5000);
    ASSERT_TRUE(popup.seen);
    EXPECT_EQ(1u, popup.languages.size());  // the separator only
    EXPECT_EQ(1u, popup.titles.size());
    EXPECT_EQ(1u, popup.chapters.size());
    EXPECT_GE(popup.subtitles.size(), 4u);  // the other queries still answer
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(DvdEngineUiTest, TheStreamDialogsShowTheNavigatorsStreamsAndApplyTheChoice) {
    ASSERT_TRUE(Open());
    std::vector<std::string> audio;
    int selected = -1;
    Watcher watcher(nullptr, "Audio Stream", [&](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_DVD_AUDIOSTREAMS);
        audio = ComboTexts(list);
        selected = static_cast<int>(::SendMessageA(list, CB_GETCURSEL, 0, 0));
        ::SendMessageA(list, CB_SETCURSEL, 1, 0);
        Press(dialog, IDOK);
    });
    size_t mark = Mark();
    EXPECT_TRUE(player->OnEngineCommand(ID_OPTIONS_AUDIO));
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    ASSERT_GE(audio.size(), 2u);
    LCID second = 0;
    player->Info()->GetAudioLanguage(1, &second);
    EXPECT_EQ(LocaleName(second), audio[1]);
    EXPECT_EQ(0, selected);
    EXPECT_TRUE(Called("SelectAudioStream 1 0", mark));

    std::vector<std::string> subpictures;
    bool showChecked = false;
    Watcher subWatcher(nullptr, "Subpicture Stream", [&](HWND dialog) {
        subpictures = ComboTexts(::GetDlgItem(dialog, IDC_DVD_SUBPICTURES));
        showChecked = ::IsDlgButtonChecked(dialog, IDC_DVD_SHOWSUBPICTURE) == BST_CHECKED;
        ::SendMessageA(::GetDlgItem(dialog, IDC_DVD_SUBPICTURES), CB_SETCURSEL, 1, 0);
        ::CheckDlgButton(dialog, IDC_DVD_SHOWSUBPICTURE, BST_UNCHECKED);
        Press(dialog, IDOK);
    });
    mark = Mark();
    EXPECT_TRUE(player->OnEngineCommand(ID_OPTIONS_SUBPICTURE));
    subWatcher.Join();
    EXPECT_GE(subpictures.size(), 2u);
    EXPECT_TRUE(showChecked);
    // Unchecking "Show Subpicture" turns them off but still selects the chosen stream.
    EXPECT_TRUE(Called("SetSubpictureState 0 0", mark));
    EXPECT_TRUE(Called("SelectSubpictureStream 1 0", mark));
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(DvdEngineUiTest, TheAngleDialogAppearsOnlyForSeveralAngles) {
    ASSERT_TRUE(Open());
    size_t mark = Mark();
    EXPECT_TRUE(player->OnEngineCommand(ID_OPTIONS_ANGLE));  // one angle: nothing to choose
    EXPECT_TRUE(Called("GetCurrentAngle", mark));
    EXPECT_EQ(nullptr, e2e::FindTopWindow(nullptr, "Angle", ::GetCurrentProcessId()));
    player.reset();

    ASSERT_TRUE(Open("angles 3\n"));
    std::vector<std::string> angles;
    Watcher watcher(nullptr, "Angle", [&](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_DVD_ANGLES);
        angles = ComboTexts(list);
        ::SendMessageA(list, CB_SETCURSEL, 2, 0);
        Press(dialog, IDOK);
    });
    mark = Mark();
    player->OnEngineCommand(ID_OPTIONS_ANGLE);
    watcher.Join();
    EXPECT_EQ((std::vector<std::string>{"Angle 1", "Angle 2", "Angle 3"}), angles);
    EXPECT_TRUE(Called("SelectAngle 3 0", mark));
}

TEST_F(DvdEngineUiTest, TheJumpDialogsPerformTheirJumps) {
    ASSERT_TRUE(Open());
    Watcher chapter(nullptr, "Play Chapter", [&](HWND dialog) {
        Type(dialog, IDC_DVD_CHAPTER, "2");
        Press(dialog, IDOK);
    });
    size_t mark = Mark();
    player->OnEngineCommand(ID_PLAY_CHAPTER);
    chapter.Join();
    EXPECT_TRUE(Called("PlayChapter 2 " + N(DVD_CMD_FLAG_Block), mark));
    EXPECT_TRUE(Reaches(1, 2));

    Watcher inTitle(nullptr, "Play Chapter In Title", [&](HWND dialog) {
        Type(dialog, IDC_DVD_TITLE, "3");
        Type(dialog, IDC_DVD_CHAPTER, "1");
        Press(dialog, IDOK);
    });
    mark = Mark();
    player->OnEngineCommand(ID_PLAY_CHAPTERINTITLE);
    inTitle.Join();
    EXPECT_TRUE(Called("PlayChapterInTitle 3 1 " + N(DVD_CMD_FLAG_Block), mark));
    EXPECT_TRUE(Reaches(3, 1));

    // The time dialog opens at the time now playing; 0:0:0 goes to the title's start.
    ASSERT_TRUE(e2e::WaitUntil([&] { return DvdTimeCodeSeconds(player->GetCurrentTimeCode()) >= 1; }, 10000));
    std::string shownSeconds;
    DvdTimeCode before = player->GetCurrentTimeCode();
    Watcher time(nullptr, "Play at Specified Time", [&](HWND dialog) {
        shownSeconds = e2e::WindowText(::GetDlgItem(dialog, IDC_DVD_SECONDS));
        Type(dialog, IDC_DVD_HOURS, "0");
        Type(dialog, IDC_DVD_MINUTES, "0");
        Type(dialog, IDC_DVD_SECONDS, "0");
        Press(dialog, IDOK);
    });
    mark = Mark();
    player->OnEngineCommand(ID_PLAY_ATTIME);
    time.Join();
    EXPECT_GE(std::atoi(shownSeconds.c_str()), static_cast<int>(before.seconds));
    EXPECT_TRUE(Called("PlayAtTime 0:00:00.", mark));

    // A time beyond the title's end is refused by the navigator; playback goes on.
    Watcher late(nullptr, "Play at Specified Time", [&](HWND dialog) {
        Type(dialog, IDC_DVD_HOURS, "99");
        Press(dialog, IDOK);
    });
    mark = Mark();
    player->OnEngineCommand(ID_PLAY_ATTIME);
    late.Join();
    EXPECT_TRUE(Called("PlayAtTime 99:", mark));
    EXPECT_EQ(3u, player->GetCurrentTitle());
    EXPECT_EQ(DvdPlayerState::Playing, player->GetState());
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(DvdEngineUiTest, ParentalLevelsOpenOnlyWhenStoppedAndApplyTheChosenRating) {
    ASSERT_TRUE(Open());
    EXPECT_TRUE(player->OnEngineCommand(ID_OPTIONS_PARENTAL));
    auto seen = boxes->Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Error", seen[0].caption);
    EXPECT_EQ("Can't change parental control level during playback. Please stop (twice) first.",
              seen[0].text);

    player->StopDvd();
    ASSERT_EQ(DvdPlayerState::Stopped, player->GetState());
    Watcher watcher(nullptr, "Parental Levels", [&](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_DVD_LEVELS);
        LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[32] = {};
            ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            if (std::string(text) == " PG-13 ") ::SendMessageA(list, LB_SETCURSEL, i, 0);
        }
        Press(dialog, IDOK);
    });
    size_t mark = Mark();
    player->OnEngineCommand(ID_OPTIONS_PARENTAL);
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    EXPECT_TRUE(Called("SelectParentalLevel 4", mark));
}

TEST_F(DvdEngineUiTest, TheFourReportsShowTheDiscsAttributes) {
    ASSERT_TRUE(Open("karaoke 0 3 0x1,0x2,0x4,0x10\ntext 1033 1 ignored\ntext 1033 48 Holiday Disc\n"));
    EXPECT_TRUE(player->ShowTextInfo());
    EXPECT_TRUE(player->ShowAudioAttributes());
    EXPECT_TRUE(player->ShowVideoAttributes());
    EXPECT_TRUE(player->ShowSubpictureAttributes());
    auto seen = boxes->Seen();
    ASSERT_EQ(4u, seen.size());
    EXPECT_EQ("Dvd Text Info", seen[0].caption);
    EXPECT_EQ("Struct_Volume \nGeneral_name Holiday Disc\n", seen[0].text);
    EXPECT_EQ("Audio Attributes", seen[1].caption);
    EXPECT_NE(std::string::npos, seen[1].text.find("Audio Application Mode =DVD_AudioMode_Karaoke\n"));
    EXPECT_NE(std::string::npos, seen[1].text.find("ChannelAssignment = DVD_Assignment_LRM\n"));
    EXPECT_NE(std::string::npos, seen[1].text.find("Channel 2: GuideMelody1\n"));
    EXPECT_EQ("Video Attributes", seen[2].caption);
    EXPECT_EQ(0u, seen[2].text.find("Video Attributes:\n\n"));
    EXPECT_NE(std::string::npos, seen[2].text.find("Compression Mode: DVD_VideoCompression_MPEG2\n"));
    EXPECT_EQ("Video Attributes", seen[3].caption);
    EXPECT_EQ(0u, seen[3].text.find("SubPicture Attributes:\n\n"));
    LCID lcid = 0;
    player->Info()->GetSubpictureLanguage(0, &lcid);
    EXPECT_NE(std::string::npos, seen[3].text.find("Language Code = " + LocaleName(lcid) + "\n"));
}

TEST_F(DvdEngineUiTest, ADiscWithoutTextAndAFailingNavigatorSayOneThingEach) {
    ASSERT_TRUE(Open("fail GetCurrentVideoAttributes\n"));
    EXPECT_FALSE(player->ShowTextInfo());
    EXPECT_FALSE(player->ShowVideoAttributes());
    auto seen = boxes->Seen();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("No Text Present", seen[0].caption);
    EXPECT_EQ("There is no text on this disc", seen[0].text);
    EXPECT_EQ("Error!", seen[1].caption);
    EXPECT_EQ("GetCurrentVideoAttributes Failed", seen[1].text);
}

TEST_F(DvdEngineUiTest, KaraokeMixingNamesTheChannelsAndAppliesTheMix) {
    ASSERT_TRUE(Open("karaoke 0 2 0x1,0x2,0x8,0x40,0x80\n"));
    std::string second, third, fourth;
    Watcher watcher(nullptr, "Karaoke Mixing", [&](HWND dialog) {
        second = e2e::WindowText(::GetDlgItem(dialog, IDC_DVD_KARAOKE2));
        third = e2e::WindowText(::GetDlgItem(dialog, IDC_DVD_KARAOKE3));
        fourth = e2e::WindowText(::GetDlgItem(dialog, IDC_DVD_KARAOKE4));
        ::CheckDlgButton(dialog, IDC_DVD_KARAOKE3, BST_CHECKED);
        Press(dialog, IDOK);
    });
    size_t mark = Mark();
    player->OnEngineCommand(ID_OPTIONS_KARAOKE);
    watcher.Join();
    EXPECT_EQ("GuideMelody2", second);
    EXPECT_EQ("SoundEffectA", third);
    EXPECT_EQ("SoundEffectB", fourth);
    EXPECT_TRUE(Called("SelectKaraokeAudioPresentationMode " + N(DVD_Mix_4to0 | DVD_Mix_4to1), mark));
    EXPECT_TRUE(boxes->Seen().empty());

    // Stream 1 is not a karaoke stream.
    player->Control()->SelectAudioStream(1, DVD_CMD_FLAG_Block, nullptr);
    player->OnEngineCommand(ID_OPTIONS_KARAOKE);
    auto seen = boxes->Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("There is no karaoke data in this audio stream", seen[0].text);
    EXPECT_EQ(nullptr, e2e::FindTopWindow(nullptr, "Karaoke Mixing", ::GetCurrentProcessId()));
}

TEST_F(DvdEngineUiTest, ABookmarkReturnsToItsTitleChapterAndTime) {
    ASSERT_TRUE(Open());
    Choose(ID_DVD_TITLE_BASE + 2);
    ASSERT_TRUE(Reaches(2, 1));
    Choose(ID_DVD_CHAPTER_BASE + 2);
    ASSERT_TRUE(Reaches(2, 2));
    size_t mark = Mark();
    Choose(ID_BOOKMARK_SAVE);
    EXPECT_TRUE(Called("GetState", mark));
    EXPECT_TRUE(Called("State.Save", mark));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(kLegacyBookmarkPath));

    Choose(ID_DVD_TITLE_BASE + 1);
    ASSERT_TRUE(Reaches(1, 1));
    mark = Mark();
    Choose(ID_BOOKMARK_RESTORE);
    EXPECT_TRUE(Called("State.Load", mark));
    EXPECT_TRUE(Called("SetState", mark));
    EXPECT_TRUE(Reaches(2, 2));
    EXPECT_TRUE(boxes->Seen().empty());
}

// Writes `bytes` as the bookmark file, or a compound file holding `stream` with those bytes.
void WriteFileBytes(const std::string& bytes) {
    HANDLE file = ::CreateFileA(kLegacyBookmarkPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

void WriteCompound(const wchar_t* stream, const std::string& bytes) {
    std::wstring path;
    for (const char* c = kLegacyBookmarkPath; *c; ++c)
        path.push_back(static_cast<wchar_t>(*c));
    IStorage* storage = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        ::StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_WRITE, 0, &storage));
    IStream* out = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        storage->CreateStream(stream, STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_WRITE, 0, 0, &out));
    ULONG written = 0;
    out->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    out->Release();
    storage->Release();
}

TEST_F(DvdEngineUiTest, BadBookmarkFilesLeavePlaybackAsItWasAndAreToldOnceEach) {
    ASSERT_TRUE(Open());
    Choose(ID_DVD_CHAPTER_BASE + 2);
    ASSERT_TRUE(Reaches(1, 2));
    auto restoreFails = [&](const char* what, size_t boxesAfter) {
        size_t mark = Mark();
        EXPECT_FALSE(player->RestoreBookmark()) << what;
        DrainThisThread();
        EXPECT_EQ(-1, nav.FindCall("SetState", mark)) << what;
        EXPECT_EQ(1u, player->GetCurrentTitle()) << what;
        EXPECT_EQ(2u, player->GetCurrentChapter()) << what;
        auto seen = boxes->Seen();
        ASSERT_EQ(boxesAfter, seen.size()) << what;
        if (boxesAfter == 0) return;
        EXPECT_EQ("Error", seen.back().caption) << what;
        EXPECT_EQ("The DVD bookmark cannot be restored: its file is damaged or holds no bookmark.",
                  seen.back().text)
            << what;
    };
    // No bookmark at all: nothing to tell.
    ::DeleteFileA(kLegacyBookmarkPath);
    restoreFails("missing", 0);
    WriteFileBytes("");
    restoreFails("empty", 1);
    WriteFileBytes("this is no compound file at all");
    restoreFails("not compound", 2);
    WriteCompound(L"SomethingElse", "data");
    restoreFails("without the stream", 3);
    WriteCompound(kBookmarkStream, std::string("\x3b\x7c\x1a\x4e\x5f\x2d", 6));
    restoreFails("truncated", 4);
    EXPECT_EQ(DvdPlayerState::Playing, player->GetState());
}

TEST_F(DvdEngineUiTest, ABookmarkOfAnotherDiscIsRefusedAndPlaybackGoesOn) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(player->SaveBookmark());
    Choose(ID_DVD_CHAPTER_BASE + 2);
    ASSERT_TRUE(Reaches(1, 2));
    nav.Inject("fail SetState 0x80040290");  // VFW_E_DVD_STATE_WRONG_DISC
    EXPECT_FALSE(player->RestoreBookmark());
    DrainThisThread();
    EXPECT_EQ(2u, player->GetCurrentChapter());
    EXPECT_TRUE(boxes->Seen().empty());
}

// The region tool library in the system directory for the life of the object.
class RegionTool {
public:
    explicit RegionTool(DWORD answer) {
        e2e::DeleteRegTree(HKEY_CURRENT_USER, kRegionKey);
        e2e::WriteRegDword(HKEY_CURRENT_USER, kRegionKey, "Answer", answer);
        std::string probe = e2e::ExeDirectory() + "region_tool_probe.dll";
        placed = ::CopyFileA(probe.c_str(), Target().c_str(), FALSE) != FALSE;
    }
    ~RegionTool() {
        e2e::WaitUntil(
            [&] { return ::DeleteFileA(Target().c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND; },
            5000);
        e2e::DeleteRegTree(HKEY_CURRENT_USER, kRegionKey);
    }
    RegionTool(const RegionTool&) = delete;
    RegionTool& operator=(const RegionTool&) = delete;
    static std::string Target() { return decodertest::SystemDirectory() + "\\storprop.dll"; }
    bool placed = false;
};

TEST_F(DvdEngineUiTest, ARegionRefusalStartsTheRegionToolWithTheDiscsDriveAndRestartsOnSuccess) {
    RegionTool tool(1);
    ASSERT_TRUE(tool.placed);
    ASSERT_TRUE(Open());
    size_t mark = Mark();
    ASSERT_TRUE(nav.InjectEvent(EC_DVD_ERROR, DVD_ERROR_InvalidDiscRegion));
    ASSERT_TRUE(boxes->WaitForBox(10000).has_value());
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return e2e::ReadRegDword(HKEY_CURRENT_USER, kRegionKey, "Calls").value_or(0) == 1; }, 10000));
    std::string drive = e2e::ReadRegString(HKEY_CURRENT_USER, kRegionKey, "Drive").value_or("");
    EXPECT_EQ(std::string(1, dvdnav::NavigatorFixture::DiscIfoPath()[0]), drive);
    EXPECT_EQ(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(player->VideoWindowHandle())),
              e2e::ReadRegDword(HKEY_CURRENT_USER, kRegionKey, "Owner").value_or(0));
    EXPECT_TRUE(Called("GetDVDDirectory", mark));
    int reset = nav.WaitForCall("SetOption " + N(DVD_ResetOnStop) + " 1", 5000, mark);
    EXPECT_GE(reset, 0);
    EXPECT_GE(nav.WaitForCall("SetOption " + N(DVD_ResetOnStop) + " 0", 5000, reset < 0 ? mark : reset), 0);
    EXPECT_EQ(DvdPlayerState::Playing, player->GetState());
}

TEST_F(DvdEngineUiTest, ARefusingOrMissingRegionToolLeavesTheGraphStopped) {
    {
        RegionTool tool(0);
        ASSERT_TRUE(Open());
        size_t mark = Mark();
        ASSERT_TRUE(nav.InjectEvent(EC_DVD_ERROR, DVD_ERROR_InvalidDiscRegion));
        ASSERT_TRUE(e2e::WaitUntil(
            [&] { return e2e::ReadRegDword(HKEY_CURRENT_USER, kRegionKey, "Calls").value_or(0) == 1; },
            10000));
        // The tool is called from the error's handler on this thread, which has returned by the
        // time the wait above saw the call; what it posted is handled here.
        DrainThisThread();
        EXPECT_EQ(-1, nav.FindCall("SetOption " + N(DVD_ResetOnStop) + " 1", mark));
    }
    ::DeleteFileA(RegionTool::Target().c_str());
    boxes->Clear();
    size_t mark = Mark();
    ASSERT_TRUE(nav.InjectEvent(EC_DVD_ERROR, DVD_ERROR_InvalidDiscRegion));
    ASSERT_TRUE(boxes->WaitForBox(10000).has_value());
    ASSERT_TRUE(e2e::WaitUntil([] { return !e2e::FindMessageBox(::GetCurrentProcessId()); }, 10000));
    DrainThisThread();
    EXPECT_EQ(-1, nav.FindCall("SetOption " + N(DVD_ResetOnStop) + " 1", mark));
    EXPECT_EQ(1u, boxes->Seen().size());                // the region message only
    EXPECT_EQ(DvdPlayerState::Playing, player->GetState());  // the field keeps its value
}

}  // namespace
