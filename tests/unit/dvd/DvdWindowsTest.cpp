// The DVD popup menu and dialogs as real windows: the menu resource of the program, its checks,
// grays and Filters submenu on a real filter graph, and the dialogs run modally in this process
// while a second thread types into them and presses their buttons as a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Driver.h"
#include "DvdDialogs.h"
#include "DvdMenu.h"
#include "TestFilter.h"
#include "resource.h"

namespace {

// The program's own menu resource, read from the program file.
class ProgramMenu {
public:
    ProgramMenu() {
        mModule = ::LoadLibraryExA(e2e::PlayerPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (mModule) mMenu = ::LoadMenuA(mModule, MAKEINTRESOURCEA(IDR_DVDMENU));
    }
    ~ProgramMenu() {
        if (mMenu) ::DestroyMenu(mMenu);
        if (mModule) ::FreeLibrary(mModule);
    }
    ProgramMenu(const ProgramMenu&) = delete;
    ProgramMenu& operator=(const ProgramMenu&) = delete;
    HMENU Popup() const { return mMenu ? ::GetSubMenu(mMenu, 0) : nullptr; }

private:
    HMODULE mModule = nullptr;
    HMENU mMenu = nullptr;
};

struct Entry {
    UINT id;
    std::string text;
    bool operator==(const Entry&) const = default;
};

std::vector<Entry> Entries(HMENU menu) {
    std::vector<Entry> entries;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        entries.push_back({::GetMenuItemID(menu, i), text});
    }
    return entries;
}

bool Grayed(HMENU menu, UINT id) {
    return (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}
bool Checked(HMENU menu, UINT id) {
    return (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

constexpr UINT kSubmenu = 0xFFFFFFFF;  // what GetMenuItemID answers for a submenu

TEST(DvdPopupMenu, HoldsItsItemsInOrder) {
    ProgramMenu menu;
    ASSERT_NE(nullptr, menu.Popup());
    std::vector<Entry> expected = {
        {ID_OPTIONS_FULLSCREEN, "Full screen"},
        {ID_ZOOM_100, "Original size"},
        {0, ""},
        {ID_PLAYBACK_PLAY, "Play"},
        {ID_PLAYBACK_PAUSE, "Pause"},
        {ID_PLAYBACK_STOP, "Stop"},
        {ID_JUMP_FORWARD, "Skip forward"},
        {ID_JUMP_BACKWARD, "Skip backward"},
        {ID_PLAYBACK_STEPFORWARD, "Step forward"},
        {0, ""},
        {kSubmenu, "SubTitles"},
        {kSubmenu, "Languages"},
        {kSubmenu, "&Bookmark"},
        {ID_OPTIONS_CLOSEDCAPTION, "Closed caption"},
        {kSubmenu, "Filters"},
        {kSubmenu, "Title"},
        {kSubmenu, "Chapter"},
        {0, ""},
        {ID_FILE_CLOSE, "Close"},
    };
    EXPECT_EQ(expected, Entries(menu.Popup()));
    EXPECT_EQ((std::vector<Entry>{{ID_SUBPICTURE_DISABLE, "Disable"}, {0, ""}}),
              Entries(::GetSubMenu(menu.Popup(), kSubTitlesSubmenu)));
    EXPECT_EQ((std::vector<Entry>{{ID_BOOKMARK_SAVE, "Save"}, {ID_BOOKMARK_RESTORE, "Restore"}}),
              Entries(::GetSubMenu(menu.Popup(), 12)));
    for (int position : {kLanguagesSubmenu, kFiltersSubmenu, kTitleSubmenu, kChapterSubmenu}) {
        EXPECT_EQ((std::vector<Entry>{{0, ""}}), Entries(::GetSubMenu(menu.Popup(), position))) << position;
    }
}

TEST(DvdPopupMenu, GraysTransportItemsByStateAndChecksCaptionsAndFullScreen) {
    const struct {
        DvdPlayerState state;
        bool play, pause, stop;  // grayed
    } cases[] = {
        {DvdPlayerState::Stopped, false, true, true},
        {DvdPlayerState::NavigatorStopped, false, true, true},
        {DvdPlayerState::Playing, true, false, false},
        {DvdPlayerState::Paused, false, true, false},
        {DvdPlayerState::FramePaused, false, true, false},
        {DvdPlayerState::Uninitialized, false, false, false},
        {DvdPlayerState::Scanning, false, false, false},
    };
    for (const auto& c : cases) {
        ProgramMenu menu;
        ASSERT_NE(nullptr, menu.Popup());
        DvdMenuSource source;
        source.state = c.state;
        source.captionsOn = c.state == DvdPlayerState::Playing;
        source.fullScreen = c.state == DvdPlayerState::Paused;
        BOOL shown = TRUE;
        static DvdFilterNames names;
        PrepareContextMenu(menu.Popup(), source, shown, names);
        int state = static_cast<int>(c.state);
        EXPECT_EQ(c.play, Grayed(menu.Popup(), ID_PLAYBACK_PLAY)) << state;
        EXPECT_EQ(c.pause, Grayed(menu.Popup(), ID_PLAYBACK_PAUSE)) << state;
        EXPECT_EQ(c.stop, Grayed(menu.Popup(), ID_PLAYBACK_STOP)) << state;
        EXPECT_FALSE(Grayed(menu.Popup(), ID_JUMP_FORWARD)) << state;
        EXPECT_EQ(source.captionsOn, Checked(menu.Popup(), ID_OPTIONS_CLOSEDCAPTION)) << state;
        EXPECT_EQ(source.fullScreen, Checked(menu.Popup(), ID_OPTIONS_FULLSCREEN)) << state;
        // Without a navigator to ask, the generated submenus stay as the resource has them.
        EXPECT_EQ(2, ::GetMenuItemCount(::GetSubMenu(menu.Popup(), kSubTitlesSubmenu))) << state;
        EXPECT_EQ(1, ::GetMenuItemCount(::GetSubMenu(menu.Popup(), kTitleSubmenu))) << state;
        EXPECT_TRUE(shown);
    }
}

class DvdFilterGraph : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                                    IID_IGraphBuilder, reinterpret_cast<void**>(&graph)));
    }
    void TearDown() override {
        if (graph) graph->Release();
        ::CoUninitialize();
    }
    IBaseFilter* Add(const std::wstring& name, bool withPage = false) {
        IBaseFilter* filter = filtertest::CreateTestFilter(withPage);
        EXPECT_HRESULT_SUCCEEDED(graph->AddFilter(filter, name.c_str()));
        filter->Release();
        return filter;
    }
    IGraphBuilder* graph = nullptr;
};

TEST_F(DvdFilterGraph, TheFiltersSubmenuListsAtMost63FiltersFrom47101) {
    for (int i = 0; i < 70; ++i) {
        std::wstring name = L"Test Filter ";
        name += static_cast<wchar_t>(L'0' + i / 10);
        name += static_cast<wchar_t>(L'0' + i % 10);
        Add(name);
    }
    ProgramMenu menu;
    ASSERT_NE(nullptr, menu.Popup());
    DvdMenuSource source;
    source.graphBuilder = graph;
    source.state = DvdPlayerState::Playing;
    BOOL shown = TRUE;
    static DvdFilterNames names;
    PrepareContextMenu(menu.Popup(), source, shown, names);
    std::vector<Entry> entries = Entries(::GetSubMenu(menu.Popup(), kFiltersSubmenu));
    ASSERT_EQ(1u + 63u, entries.size());
    for (unsigned i = 1; i <= 63; ++i) {
        EXPECT_EQ(ID_FILTER_BASE + i, entries[i].id);
        EXPECT_EQ(entries[i].text, names[i]);
        EXPECT_EQ(0u, entries[i].text.rfind("Test Filter ", 0)) << entries[i].text;
    }
    EXPECT_STREQ("", names[0]);
}

TEST_F(DvdFilterGraph, FindsAFilterByItsWholeCaseSensitiveName) {
    IBaseFilter* first = Add(L"Line 21 Decoder");
    Add(L"Line 21 Decoder 2");
    EXPECT_EQ(first, FindFilterByName(graph, "Line 21 Decoder").Get());
    EXPECT_EQ(nullptr, FindFilterByName(graph, "line 21 decoder").Get());
    EXPECT_EQ(nullptr, FindFilterByName(graph, "Line 21").Get());
    EXPECT_EQ(nullptr, FindFilterByName(graph, "Unknow filter").Get());
    EXPECT_EQ(nullptr, FindFilterByName(nullptr, "Line 21 Decoder").Get());
}

// Runs `act` on a thread of its own once a shown top-level window of this process has `caption`;
// the dialog's modal loop keeps running on the test's thread meanwhile.
class WindowWatcher {
public:
    WindowWatcher(std::string caption, std::function<void(HWND)> act)
        : mCaption(std::move(caption)), mAct(std::move(act)) {
        mThread = ::CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~WindowWatcher() { Join(); }
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;
    void Join() {
        if (!mThread) return;
        ::WaitForSingleObject(mThread, 20000);
        ::CloseHandle(mThread);
        mThread = nullptr;
    }
    bool found = false;

private:
    static DWORD WINAPI Watch(void* self) {
        auto* w = static_cast<WindowWatcher*>(self);
        HWND window = nullptr;
        e2e::WaitUntil(
            [&] {
                window = e2e::FindTopWindow(nullptr, w->mCaption.c_str(), ::GetCurrentProcessId());
                return window && e2e::IsShown(window);
            },
            8000);
        if (!window || !e2e::IsShown(window)) return 0;
        w->found = true;
        w->mAct(window);
        return 0;
    }
    std::string mCaption;
    std::function<void(HWND)> mAct;
    HANDLE mThread = nullptr;
};

void Type(HWND dialog, int id, const char* text) {
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
void Press(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The up-down control whose buddy is the edit `id`: its range and position.
struct Spin {
    bool found = false;
    int lower = -1, upper = -1, position = -1;
};
Spin SpinOf(HWND dialog, int id) {
    Spin spin;
    HWND edit = ::GetDlgItem(dialog, id);
    for (HWND child : e2e::Children(dialog)) {
        if (e2e::ClassName(child) != UPDOWN_CLASSA) continue;
        if (reinterpret_cast<HWND>(::SendMessageA(child, UDM_GETBUDDY, 0, 0)) != edit) continue;
        spin.found = true;
        ::SendMessageA(child, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&spin.lower),
                       reinterpret_cast<LPARAM>(&spin.upper));
        spin.position = static_cast<int>(::SendMessageA(child, UDM_GETPOS32, 0, 0));
        EXPECT_EQ(IDC_DVD_SPIN, ::GetDlgCtrlID(child));
    }
    return spin;
}

class DvdDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr);
        boxes = std::make_unique<e2e::MessageBoxGuard>(::GetCurrentProcessId());
    }
    void TearDown() override {
        boxes.reset();
        ::DestroyWindow(owner);
    }
    HINSTANCE Instance() const { return ::GetModuleHandleA(nullptr); }
    HWND owner = nullptr;
    std::unique_ptr<e2e::MessageBoxGuard> boxes;
};

TEST_F(DvdDialogTest, PlayChapterStartsAtOneAndReadsTheTypedChapter) {
    Spin spin;
    std::string shown;
    WindowWatcher watcher("Play Chapter", [&](HWND dialog) {
        spin = SpinOf(dialog, IDC_DVD_CHAPTER);
        shown = e2e::WindowText(::GetDlgItem(dialog, IDC_DVD_CHAPTER));
        Type(dialog, IDC_DVD_CHAPTER, "12");
        Press(dialog, IDOK);
    });
    DvdChapterDialog dialog(false, Instance(), owner);
    EXPECT_TRUE(dialog.Show());
    watcher.Join();
    ASSERT_TRUE(watcher.found);
    EXPECT_EQ("1", shown);
    EXPECT_TRUE(spin.found);
    EXPECT_EQ(1, spin.lower);
    EXPECT_EQ(999, spin.upper);
    EXPECT_EQ(1, spin.position);
    EXPECT_EQ(12u, dialog.chapter);
}

TEST_F(DvdDialogTest, PlayChapterInTitleReadsBothAndCancelKeepsThem) {
    Spin titleSpin;
    WindowWatcher watcher("Play Chapter In Title", [&](HWND dialog) {
        titleSpin = SpinOf(dialog, IDC_DVD_TITLE);
        Type(dialog, IDC_DVD_TITLE, "3");
        Type(dialog, IDC_DVD_CHAPTER, "2");
        Press(dialog, IDOK);
    });
    DvdChapterDialog dialog(true, Instance(), owner);
    EXPECT_TRUE(dialog.Show());
    watcher.Join();
    EXPECT_EQ(3u, dialog.title);
    EXPECT_EQ(2u, dialog.chapter);
    EXPECT_EQ(1, titleSpin.lower);
    EXPECT_EQ(99, titleSpin.upper);

    WindowWatcher cancel("Play Chapter In Title", [&](HWND box) {
        Type(box, IDC_DVD_TITLE, "7");
        Press(box, IDCANCEL);
    });
    DvdChapterDialog cancelled(true, Instance(), owner);
    EXPECT_FALSE(cancelled.Show());
    cancel.Join();
    EXPECT_EQ(1u, cancelled.title);
}

TEST_F(DvdDialogTest, PlayAtTimeOpensAtTheGivenTimeAndTakesZeroToTheStart) {
    std::string hours, minutes, seconds;
    Spin minuteSpin;
    WindowWatcher watcher("Play at Specified Time", [&](HWND dialog) {
        hours = e2e::WindowText(::GetDlgItem(dialog, IDC_DVD_HOURS));
        minutes = e2e::WindowText(::GetDlgItem(dialog, IDC_DVD_MINUTES));
        seconds = e2e::WindowText(::GetDlgItem(dialog, IDC_DVD_SECONDS));
        minuteSpin = SpinOf(dialog, IDC_DVD_MINUTES);
        Type(dialog, IDC_DVD_HOURS, "0");
        Type(dialog, IDC_DVD_MINUTES, "0");
        Type(dialog, IDC_DVD_SECONDS, "0");
        Press(dialog, IDOK);
    });
    DvdTimeDialog dialog(Instance(), owner, DvdTimeCode{1, 2, 3, 17});
    EXPECT_TRUE(dialog.Show());
    watcher.Join();
    EXPECT_EQ("1", hours);
    EXPECT_EQ("2", minutes);
    EXPECT_EQ("3", seconds);
    EXPECT_EQ(0, minuteSpin.lower);
    EXPECT_EQ(60, minuteSpin.upper);
    EXPECT_EQ(2, minuteSpin.position);
    EXPECT_EQ(0, dialog.time.hours);
    EXPECT_EQ(0, dialog.time.minutes);
    EXPECT_EQ(0, dialog.time.seconds);
    EXPECT_EQ(17, dialog.time.frames);
}

TEST_F(DvdDialogTest, EmptyOrNonNumericEditsReadAsZeroAndHugeTimesStayImpossible) {
    WindowWatcher watcher("Play at Specified Time", [&](HWND dialog) {
        Type(dialog, IDC_DVD_HOURS, "");
        Type(dialog, IDC_DVD_MINUTES, "-5");
        Type(dialog, IDC_DVD_SECONDS, "99999999999999");
        Press(dialog, IDOK);
    });
    DvdTimeDialog dialog(Instance(), owner, DvdTimeCode{0, 30, 0, 0});
    EXPECT_TRUE(dialog.Show());
    watcher.Join();
    EXPECT_EQ(0, dialog.time.hours);
    EXPECT_EQ(0, dialog.time.minutes);
    EXPECT_EQ(255, dialog.time.seconds);
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST(DvdTypedNumbers, LeadingDigitsCountAndTheRestIsIgnored) {
    EXPECT_EQ(0u, LeadingNumber(""));
    EXPECT_EQ(0u, LeadingNumber("abc"));
    EXPECT_EQ(0u, LeadingNumber("-3"));
    EXPECT_EQ(0u, LeadingNumber(" 7"));
    EXPECT_EQ(12u, LeadingNumber("12x4"));
    EXPECT_EQ(0u, LeadingNumber(nullptr));
    EXPECT_EQ(4294967295u, LeadingNumber("4294967295"));
    EXPECT_EQ(4294967295u, LeadingNumber("9999999999"));   // beyond 32 bits
    EXPECT_EQ(1234567890u, LeadingNumber("12345678901"));  // only ten characters are read
    EXPECT_EQ(59, LeadingTimeField("59"));
    EXPECT_EQ(255, LeadingTimeField("256"));
}

TEST_F(DvdDialogTest, ParentalLevelsListTheSixRatingsAndChooseOne) {
    std::vector<std::string> items;
    int selected = -2;
    WindowWatcher watcher("Parental Levels", [&](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_DVD_LEVELS);
        LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[64] = {};
            ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        selected = static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
        for (LRESULT i = 0; i < count; ++i) {
            if (items[i] == " R ") ::SendMessageA(list, LB_SETCURSEL, i, 0);
        }
        Press(dialog, IDOK);
    });
    DvdParentalDialog dialog(Instance(), owner, 8);
    EXPECT_TRUE(dialog.Show());
    watcher.Join();
    ASSERT_EQ(6u, items.size());
    EXPECT_EQ((std::vector<std::string>{" G ", " PG ", " PG-13 ", " R ", " NC-17 ", " Not Rated "}), items);
    ASSERT_GE(selected, 0);
    EXPECT_EQ(" Not Rated ", items[selected]);
    EXPECT_EQ(6u, dialog.level);

    WindowWatcher cancel("Parental Levels", [&](HWND box) { Press(box, IDCANCEL); });
    DvdParentalDialog cancelled(Instance(), owner, 3);
    EXPECT_FALSE(cancelled.Show());
}

TEST_F(DvdDialogTest, StreamDialogsWithoutAGraphEndUnseenAndSilently) {
    DvdDialogSource source;  // nothing built
    for (auto kind :
         {DvdStreamDialog::Kind::Subpicture, DvdStreamDialog::Kind::Audio, DvdStreamDialog::Kind::Angle}) {
        DvdStreamDialog dialog(kind, Instance(), owner, source);
        EXPECT_FALSE(dialog.Show());
    }
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(DvdDialogTest, StreamDialogsWhoseNavigatorCannotAnswerWarnAndEnd) {
    DvdDialogSource source;
    source.built = true;  // a graph whose navigator gives no answers
    EXPECT_FALSE(DvdStreamDialog(DvdStreamDialog::Kind::Subpicture, Instance(), owner, source).Show());
    EXPECT_FALSE(DvdStreamDialog(DvdStreamDialog::Kind::Audio, Instance(), owner, source).Show());
    auto seen = boxes->Seen();
    ASSERT_EQ(2u, seen.size());
    for (const auto& box : seen) {
        EXPECT_EQ("Warning", box.caption);
        EXPECT_EQ("Not ready to find language information", box.text);
    }
}

TEST(DvdKaraokeMix, EachChannelAddsItsPairOfMixFlags) {
    EXPECT_EQ(0u, KaraokeMixFlags(false, false, false));
    EXPECT_EQ(0x0008u | 0x0800u, KaraokeMixFlags(true, false, false));
    EXPECT_EQ(0x0010u | 0x1000u, KaraokeMixFlags(false, true, false));
    EXPECT_EQ(0x0020u | 0x2000u, KaraokeMixFlags(false, false, true));
    EXPECT_EQ(0x3838u, KaraokeMixFlags(true, true, true));
}

}  // namespace
