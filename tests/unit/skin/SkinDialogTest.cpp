// A skinned dialog on real windows: loading a skin written by the test, the controls it creates,
// what they draw and report, and skins that are broken.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <fstream>

#include "Driver.h"
#include "SkinDialog.h"
#include "SkinTestPictures.h"

using skintest::WriteBmp;

namespace {

constexpr UINT kTemplate = 300;
constexpr int kWidth = 320;
constexpr int kHeight = 80;
const COLORREF kMain = RGB(20, 40, 60);
const COLORREF kOver = RGB(200, 40, 60);
const COLORREF kSelected = RGB(20, 200, 60);
const COLORREF kDisabled = RGB(90, 90, 90);
const COLORREF kThumb = RGB(250, 10, 10);

struct Event {
    std::string what;
    std::string name;
    int code = 0;
    int pos = 0;
};

class RecordingDialog : public SkinDialog {
public:
    RecordingDialog() : SkinDialog(kTemplate, nullptr) {}
    std::vector<Event> events;
    void OnSkinButtonClick(const std::string& name) override { events.push_back({"button", name}); }
    void OnSkinTextClick(const std::string& name) override { events.push_back({"text", name}); }
    void OnSkinProgressClick(const std::string& name) override { events.push_back({"progress", name}); }
    void OnSkinSliderEvent(const std::string& name, int code, int pos) override {
        events.push_back({"slider", name, code, pos});
    }
    void OnSkinMouseMove(const std::string& name, POINT) override { events.push_back({"move", name}); }
    size_t Count(const std::string& what) const {
        size_t n = 0;
        for (const Event& e : events)
            n += e.what == what;
        return n;
    }
};

// Rounded corners: a white 6 x 6 triangle cut off each corner.
bool InCorner(int x, int y) {
    int dx = x < 6 ? 6 - x : (x >= kWidth - 6 ? x - (kWidth - 7) : 0);
    int dy = y < 6 ? 6 - y : (y >= kHeight - 6 ? y - (kHeight - 7) : 0);
    return dx + dy > 6 && dx > 0 && dy > 0;
}

std::string WriteSkin(const std::string& dir, const std::string& extraButtons = "",
                      const std::string& extraTexts = "") {
    WriteBmp(dir + "main.bmp", kWidth, kHeight, [](int, int) { return kMain; });
    WriteBmp(dir + "over.bmp", kWidth, kHeight, [](int, int) { return kOver; });
    WriteBmp(dir + "selected.bmp", kWidth, kHeight, [](int, int) { return kSelected; });
    WriteBmp(dir + "disabled.bmp", kWidth, kHeight, [](int, int) { return kDisabled; });
    WriteBmp(dir + "mask.bmp", kWidth, kHeight,
             [](int x, int y) { return InCorner(x, y) ? RGB(255, 255, 255) : RGB(0, 0, 0); });
    WriteBmp(dir + "thumb.bmp", 10, 10, [](int, int) { return kThumb; });
    WriteBmp(dir + "thumbdown.bmp", 10, 10, [](int, int) { return RGB(10, 250, 10); });
    std::string ini = dir + "test.ini";
    std::ofstream(ini, std::ios::binary)
        << "[BACKGROUND]\r\nMain=main.bmp\r\nMask=mask.bmp\r\nOver=over.bmp\r\nSelected=selected.bmp\r\n"
           "Disabled=disabled.bmp\r\n"
           "[BUTTON]\r\n"
           "1=ID_PLAYBACK_PLAY, 10, 8, 20, 20, Play, F\r\n"
           "2=IDC_BUTTON1_FILELIST_LOOP, 40, 8, 20, 20, Repeat, T\r\n"
           "3=ID_FILE_EJECT, 70, 8, 20, 20, Eject, F\r\n"
           "4=ID_PLAYBACK_PLAY, 100, 8, 10, 10, Second, F\r\n"
        << extraButtons
        << "[TEXTINFO]\r\n"
           "1=ID_SONG_NAME, Tahoma, T, F, -11, 255, 130, 8, 50, 14, Hello\r\n"
        << extraTexts
        << "[TRACKBARINFO]\r\n"
           "1=IDC_SLIDER1_PLAYBACK_POSITION, thumb.bmp, thumbdown.bmp, 10, 40, 300, 10, H, 0\r\n"
           "2=IDC_SLIDER1_VOLUME, thumb.bmp, thumbdown.bmp, 10, 60, 300, 10, H, 100\r\n"
           "[PROGRESSINFO]\r\n"
           "1=BAR, Level, 200, 8, 100, 20, H\r\n";
    return ini;
}

void PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

// The screen shows the colour at a client point of the window (it may take a moment to reach it).
bool Shows(HWND hwnd, int x, int y, COLORREF colour) {
    ::UpdateWindow(hwnd);
    POINT p{x, y};
    ::ClientToScreen(hwnd, &p);
    return e2e::WaitUntil(
        [&] {
            PumpPending();
            return e2e::ScreenPixel(p.x, p.y) == colour;
        },
        1500);
}

class SkinnedDialog : public ::testing::Test {
protected:
    void SetUp() override {
        dir = e2e::MakeTempDirectory("skindialog");
        dialog.SetSkinFile(WriteSkin(dir));
        dialog.SetSliderHeldFlag(&held);
        fw::SetMainDialog(&dialog);
        ASSERT_TRUE(dialog.Create());
        ::SetWindowPos(dialog.Hwnd(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(dialog.Hwnd());
        ::SetActiveWindow(dialog.Hwnd());
        PumpPending();
    }
    void TearDown() override {
        ::ReleaseCapture();
        dialog.Destroy();
        fw::SetMainDialog(nullptr);
        PumpPending();
    }
    HWND Button(const char* name) { return dialog.FindButton(name)->Hwnd(); }
    // A posted message of this kind for the dialog, if any.
    std::optional<MSG> Posted(UINT message) {
        MSG msg;
        if (::PeekMessageA(&msg, dialog.Hwnd(), message, message, PM_REMOVE)) return msg;
        return std::nullopt;
    }

    std::string dir;
    RecordingDialog dialog;
    int held = 0;
};

}  // namespace

TEST_F(SkinnedDialog, TheWindowTakesTheMasksSizeAndShape) {
    RECT r = e2e::WindowRect(dialog.Hwnd());
    EXPECT_EQ(r.right - r.left, kWidth);
    EXPECT_EQ(r.bottom - r.top, kHeight);
    fw::Region region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(dialog.Hwnd(), region.Get()), ERROR);
    EXPECT_FALSE(::PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(::PtInRegion(region.Get(), kWidth - 1, kHeight - 1));
    EXPECT_TRUE(::PtInRegion(region.Get(), 6, 6));
    EXPECT_TRUE(::PtInRegion(region.Get(), kWidth / 2, kHeight / 2));
    // The face is painted: a point of the face away from every control shows Main.
    EXPECT_TRUE(Shows(dialog.Hwnd(), 5, 32, kMain));
}

TEST_F(SkinnedDialog, EveryEntryBecomesANamedControlAndTheFirstOfANameWins) {
    EXPECT_EQ(dialog.ControlCount(), 8u);
    skin::SkinButton* play = dialog.FindButton("ID_PLAYBACK_PLAY");
    ASSERT_TRUE(play);
    EXPECT_EQ(play->Index(), 0);
    RECT r = e2e::ClientRect(play->Hwnd());
    EXPECT_EQ(r.right, 20);
    EXPECT_EQ(::GetDlgCtrlID(play->Hwnd()), 0);
    EXPECT_FALSE(::GetWindowLongPtrA(play->Hwnd(), GWL_STYLE) & (WS_TABSTOP | WS_BORDER));
    EXPECT_EQ(::GetWindowLongPtrA(play->Hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_TRUE(dialog.FindButton("IDC_BUTTON1_FILELIST_LOOP")->TwoState());
    EXPECT_FALSE(play->TwoState());
    EXPECT_EQ(e2e::WindowText(dialog.FindText("ID_SONG_NAME")->Hwnd()), "Hello");
    EXPECT_EQ(dialog.GetSliderPos("IDC_SLIDER1_VOLUME"), 100);
    EXPECT_TRUE(dialog.FindProgress("BAR"));
    EXPECT_FALSE(dialog.FindButton("ID_SONG_NAME"));  // names belong to one kind of control
}

TEST_F(SkinnedDialog, OperationsByNameActOnTheirControlAndIgnoreUnknownNames) {
    dialog.SetText("ID_SONG_NAME", "clip.avi");
    EXPECT_EQ(dialog.GetText("ID_SONG_NAME"), "clip.avi");
    EXPECT_EQ(e2e::WindowText(dialog.FindText("ID_SONG_NAME")->Hwnd()), "clip.avi");
    dialog.SetSliderRange("IDC_SLIDER1_PLAYBACK_POSITION", 600);
    dialog.SetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION", 450);
    EXPECT_EQ(dialog.GetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION"), 450);
    dialog.SetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION", 9000);
    EXPECT_EQ(dialog.GetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION"), 600);
    dialog.EnableButton("ID_PLAYBACK_PLAY", false);
    EXPECT_FALSE(::IsWindowEnabled(Button("ID_PLAYBACK_PLAY")));
    dialog.SetButtonCheck("IDC_BUTTON1_FILELIST_LOOP", true);
    EXPECT_EQ(dialog.GetButtonCheck("IDC_BUTTON1_FILELIST_LOOP"), 1);

    dialog.SetText("NOPE", "x");
    dialog.SetSliderPos("NOPE", 3);
    dialog.EnableButton("NOPE", false);
    dialog.SetButtonCheck("NOPE", true);
    EXPECT_EQ(dialog.GetSliderPos("NOPE"), 0);
    EXPECT_EQ(dialog.GetButtonCheck("NOPE"), 0);
    EXPECT_EQ(dialog.GetText("NOPE"), "");
}

TEST_F(SkinnedDialog, ButtonsDrawTheirStateFromTheFourFaces) {
    HWND play = Button("ID_PLAYBACK_PLAY");
    EXPECT_TRUE(Shows(play, 10, 10, kMain));
    ::SendMessageA(play, WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_TRUE(dialog.FindButton("ID_PLAYBACK_PLAY")->Hovering());
    EXPECT_EQ(::GetCapture(), play);
    EXPECT_TRUE(Shows(play, 10, 10, kOver));
    ::SendMessageA(play, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_TRUE(Shows(play, 10, 10, kSelected));
    ::SendMessageA(play, WM_LBUTTONUP, 0, At(5, 5));
    dialog.EnableButton("ID_PLAYBACK_PLAY", false);
    ::ReleaseCapture();
    EXPECT_TRUE(Shows(play, 10, 10, kDisabled));
}

TEST_F(SkinnedDialog, ATwoStateButtonNeverLightsAndShowsItsCheck) {
    HWND loop = Button("IDC_BUTTON1_FILELIST_LOOP");
    ::SendMessageA(loop, WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_TRUE(Shows(loop, 10, 10, kMain));
    dialog.SetButtonCheck("IDC_BUTTON1_FILELIST_LOOP", true);
    EXPECT_TRUE(Shows(loop, 10, 10, kSelected));
}

TEST_F(SkinnedDialog, AClickInsideReportsTheButtonsName) {
    HWND play = Button("ID_PLAYBACK_PLAY");
    ::SendMessageA(play, WM_MOUSEMOVE, 0, At(5, 5));
    ::SendMessageA(play, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ::SendMessageA(play, WM_LBUTTONUP, 0, At(5, 5));
    ASSERT_EQ(dialog.Count("button"), 1u);
    EXPECT_EQ(dialog.events.back().name, "ID_PLAYBACK_PLAY");
    EXPECT_FALSE(dialog.FindButton("ID_PLAYBACK_PLAY")->Hovering());
    // The mouse moves reported the name first.
    EXPECT_EQ(dialog.events.front().what, "move");
    EXPECT_EQ(dialog.events.front().name, "ID_PLAYBACK_PLAY");
}

TEST_F(SkinnedDialog, APressDraggedOffAndReleasedOutsideIsNoClickAndLeavesTheButtonUnlit) {
    HWND play = Button("ID_PLAYBACK_PLAY");
    ::SendMessageA(play, WM_MOUSEMOVE, 0, At(5, 5));
    ::SendMessageA(play, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ::SendMessageA(play, WM_MOUSEMOVE, MK_LBUTTON, At(150, 30));
    EXPECT_FALSE(dialog.FindButton("ID_PLAYBACK_PLAY")->Hovering());
    EXPECT_EQ(::GetCapture(), play);  // kept while the button is down
    ::SendMessageA(play, WM_LBUTTONUP, 0, At(150, 30));
    EXPECT_EQ(dialog.Count("button"), 0u);
    EXPECT_TRUE(Shows(play, 10, 10, kMain));
}

TEST_F(SkinnedDialog, LeavingAButtonReleasesTheMouse) {
    HWND play = Button("ID_PLAYBACK_PLAY");
    ::SendMessageA(play, WM_MOUSEMOVE, 0, At(5, 5));
    ASSERT_EQ(::GetCapture(), play);
    ::SendMessageA(play, WM_MOUSEMOVE, 0, At(150, 30));
    EXPECT_FALSE(dialog.FindButton("ID_PLAYBACK_PLAY")->Hovering());
    EXPECT_NE(::GetCapture(), play);
    // A drag that began elsewhere does not light it.
    ::SendMessageA(play, WM_MOUSEMOVE, MK_LBUTTON, At(5, 5));
    EXPECT_FALSE(dialog.FindButton("ID_PLAYBACK_PLAY")->Hovering());
}

TEST_F(SkinnedDialog, EjectAndRightClicksGoToTheMainWindowAtScreenPoints) {
    PumpPending();
    HWND eject = Button("ID_FILE_EJECT");
    ::SendMessageA(eject, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 4));
    ::SendMessageA(eject, WM_LBUTTONUP, 0, At(3, 4));
    EXPECT_EQ(dialog.Count("button"), 0u);
    POINT expected{3, 4};
    ::ClientToScreen(eject, &expected);
    std::optional<MSG> left = Posted(WM_LBUTTONUP);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->wParam, 0x0404u);
    EXPECT_EQ(left->lParam, MAKELPARAM(expected.x, expected.y));

    HWND text = dialog.FindText("ID_SONG_NAME")->Hwnd();
    ::SendMessageA(text, WM_RBUTTONUP, 0, At(7, 2));
    expected = POINT{7, 2};
    ::ClientToScreen(text, &expected);
    std::optional<MSG> right = Posted(WM_RBUTTONUP);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->wParam, 0x0404u);
    EXPECT_EQ(right->lParam, MAKELPARAM(expected.x, expected.y));

    ::SendMessageA(dialog.FindSlider("IDC_SLIDER1_VOLUME")->Hwnd(), WM_RBUTTONUP, 0, At(7, 2));
    EXPECT_FALSE(Posted(WM_RBUTTONUP));
}

TEST_F(SkinnedDialog, TooltipsCarryTheSkinsTip) {
    // The tooltip is made when the mouse first comes over the button.
    EXPECT_FALSE(dialog.FindButton("ID_PLAYBACK_PLAY")->Tooltip());
    ::SendMessageA(Button("ID_PLAYBACK_PLAY"), WM_MOUSEMOVE, 0, At(3, 3));
    HWND tip = dialog.FindButton("ID_PLAYBACK_PLAY")->Tooltip();
    ASSERT_TRUE(tip);
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    char text[80] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Button("ID_PLAYBACK_PLAY");
    tool.uId = 1;
    tool.lpszText = text;
    ::SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Play");
}

TEST_F(SkinnedDialog, APressOnTheBareTrackJumpsAndHoldsUntilRelease) {
    dialog.SetSliderRange("IDC_SLIDER1_PLAYBACK_POSITION", 600);
    dialog.SetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION", 0);
    HWND position = dialog.FindSlider("IDC_SLIDER1_PLAYBACK_POSITION")->Hwnd();
    ::SendMessageA(position, WM_LBUTTONDOWN, MK_LBUTTON, At(150, 5));
    EXPECT_EQ(dialog.GetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION"), 300);
    EXPECT_EQ(held, 1);
    ::SendMessageA(position, WM_MOUSEMOVE, MK_LBUTTON, At(160, 5));
    ::SendMessageA(position, WM_LBUTTONUP, 0, At(160, 5));
    EXPECT_EQ(held, 0);
    ASSERT_EQ(dialog.Count("slider"), 2u);
    EXPECT_EQ(dialog.events[dialog.events.size() - 2].code, 4);
    EXPECT_EQ(dialog.events.back().code, 8);
    EXPECT_EQ(dialog.events.back().pos, 300);
    EXPECT_EQ(dialog.events.back().name, "IDC_SLIDER1_PLAYBACK_POSITION");

    dialog.SetSliderPos("IDC_SLIDER1_VOLUME", 100);
    HWND volume = dialog.FindSlider("IDC_SLIDER1_VOLUME")->Hwnd();
    ::SendMessageA(volume, WM_LBUTTONDOWN, MK_LBUTTON, At(150, 5));
    EXPECT_EQ(dialog.GetSliderPos("IDC_SLIDER1_VOLUME"), 50);
    ::SendMessageA(volume, WM_LBUTTONUP, 0, At(150, 5));
    // Moves without the button report the slider's name for the hint.
    ::SendMessageA(volume, WM_MOUSEMOVE, 0, At(20, 5));
    EXPECT_EQ(dialog.events.back().what, "move");
    EXPECT_EQ(dialog.events.back().name, "IDC_SLIDER1_VOLUME");
}

TEST_F(SkinnedDialog, AHeldSliderThatLosesTheMouseLetsGo) {
    HWND position = dialog.FindSlider("IDC_SLIDER1_PLAYBACK_POSITION")->Hwnd();
    ::SendMessageA(position, WM_LBUTTONDOWN, MK_LBUTTON, At(150, 5));
    ASSERT_EQ(held, 1);
    EXPECT_EQ(::GetCapture(), position);
    ::SetCapture(dialog.Hwnd());
    EXPECT_EQ(held, 0);
    EXPECT_FALSE(dialog.FindSlider("IDC_SLIDER1_PLAYBACK_POSITION")->Held());
}

TEST_F(SkinnedDialog, TheThumbIsDrawnAtItsPosition) {
    skin::SkinSlider* slider = dialog.FindSlider("IDC_SLIDER1_VOLUME");
    skin::PixelRect thumb = slider->ThumbRect();
    EXPECT_EQ(thumb.right - thumb.left, 10);
    EXPECT_GT(thumb.left, 250);  // at 100 of 0..100
    EXPECT_TRUE(Shows(slider->Hwnd(), thumb.left + 5, 5, kThumb));
    EXPECT_TRUE(Shows(slider->Hwnd(), 100, 5, kMain));
    // Keys do not move it.
    ::SendMessageA(slider->Hwnd(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(dialog.GetSliderPos("IDC_SLIDER1_VOLUME"), 100);
}

TEST_F(SkinnedDialog, TextFieldsScrollOnlyWhenTheirTextIsTooLong) {
    skin::SkinText* text = dialog.FindText("ID_SONG_NAME");
    int capacity = text->Capacity();
    ASSERT_GT(capacity, 0);
    dialog.SetText("ID_SONG_NAME", std::string(capacity, 'a').c_str());
    EXPECT_FALSE(text->Scrolling());
    std::string longer(capacity + 1, 'b');
    dialog.SetText("ID_SONG_NAME", longer.c_str());
    EXPECT_TRUE(text->Scrolling());
    for (size_t tick = 0; tick < longer.size(); ++tick)
        ::SendMessageA(text->Hwnd(), WM_TIMER, 9, 0);
    EXPECT_EQ(text->Offset(), longer.size());
    ::SendMessageA(text->Hwnd(), WM_TIMER, 5, 0);  // not its timer
    EXPECT_EQ(text->Offset(), longer.size());
    ::SendMessageA(text->Hwnd(), WM_TIMER, 9, 0);
    EXPECT_EQ(text->Offset(), 0u);
    // The same text again (as the status display writes it every second) keeps it moving.
    dialog.SetText("ID_SONG_NAME", longer.c_str());
    ::SendMessageA(text->Hwnd(), WM_TIMER, 9, 0);
    dialog.SetText("ID_SONG_NAME", longer.c_str());
    EXPECT_EQ(text->Offset(), 1u);
    dialog.SetText("ID_SONG_NAME", "short");
    EXPECT_FALSE(text->Scrolling());
    EXPECT_EQ(text->Offset(), 0u);
}

TEST_F(SkinnedDialog, TextFieldsAndProgressBarsReportClicksAndMoves) {
    HWND text = dialog.FindText("ID_SONG_NAME")->Hwnd();
    ::SendMessageA(text, WM_MOUSEMOVE, 0, At(3, 3));
    EXPECT_EQ(dialog.events.back().name, "ID_SONG_NAME");
    EXPECT_NE(::GetCapture(), text);  // no hover tracking on text
    ::SendMessageA(text, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
    ::SendMessageA(text, WM_LBUTTONUP, 0, At(3, 3));
    EXPECT_EQ(dialog.Count("text"), 1u);

    skin::SkinProgress* bar = dialog.FindProgress("BAR");
    // Vertical: a click takes the vertical position...
    ::SendMessageA(bar->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 5));
    EXPECT_EQ(bar->Value(), 25);
    ::SendMessageA(bar->Hwnd(), WM_LBUTTONUP, 0, At(20, 5));
    EXPECT_EQ(dialog.Count("progress"), 1u);
    EXPECT_EQ(dialog.events.back().name, "BAR");
    bar->SetValue(140);
    EXPECT_EQ(bar->Value(), 100);
}

TEST_F(SkinnedDialog, TheFaceStartsAWindowDragAndClearsTheHint) {
    PumpPending();
    ::SendMessageA(dialog.Hwnd(), WM_MOUSEMOVE, 0, At(5, 32));
    EXPECT_EQ(dialog.events.back().what, "move");
    EXPECT_EQ(dialog.events.back().name, "");
    ::SendMessageA(dialog.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 32));
    std::optional<MSG> drag = Posted(WM_NCLBUTTONDOWN);
    ASSERT_TRUE(drag);
    EXPECT_EQ(drag->wParam, static_cast<WPARAM>(HTCAPTION));
    POINT expected{5, 32};
    ::ClientToScreen(dialog.Hwnd(), &expected);
    EXPECT_EQ(drag->lParam, MAKELPARAM(expected.x, expected.y));
}

TEST_F(SkinnedDialog, ReloadingReplacesEveryControl) {
    HWND oldPlay = Button("ID_PLAYBACK_PLAY");
    dialog.SetText("ID_SONG_NAME", "changed");
    dialog.LoadSkin();
    EXPECT_FALSE(::IsWindow(oldPlay));
    EXPECT_EQ(dialog.ControlCount(), 8u);
    EXPECT_EQ(dialog.GetText("ID_SONG_NAME"), "Hello");
    EXPECT_EQ(e2e::Children(dialog.Hwnd()).size(), 8u);
}

namespace {

// A dialog whose skin is broken in some way; region failures show a box the guard dismisses.
struct BrokenSkin {
    RecordingDialog dialog;
    e2e::MessageBoxGuard boxes{::GetCurrentProcessId()};
    explicit BrokenSkin(const std::string& ini) {
        dialog.SetSkinFile(ini);
        dialog.Create();
        PumpPending();
    }
    ~BrokenSkin() { dialog.Destroy(); }
};

}  // namespace

TEST(BrokenSkins, AMissingDescriptionLoadsNoSkinSilently) {
    BrokenSkin broken("C:\\no\\such\\skin.ini");
    ASSERT_TRUE(broken.dialog.Hwnd());
    EXPECT_EQ(broken.dialog.ControlCount(), 0u);
    EXPECT_FALSE(broken.dialog.FacePicture());
    EXPECT_TRUE(broken.boxes.Seen().empty());
}

TEST(BrokenSkins, MissingAndUndecodablePicturesLeaveEmptyControlsAndTellOfTheShape) {
    std::string dir = e2e::MakeTempDirectory("brokenpictures");
    std::string ini = WriteSkin(dir);
    ::DeleteFileA((dir + "mask.bmp").c_str());
    ::DeleteFileA((dir + "over.bmp").c_str());
    std::ofstream(dir + "main.bmp", std::ios::binary) << "BM but not really a bitmap";
    std::ofstream(dir + "thumb.bmp", std::ios::binary) << "";
    BrokenSkin broken(ini);
    EXPECT_EQ(broken.dialog.ControlCount(), 8u);
    EXPECT_FALSE(broken.dialog.FacePicture());
    ASSERT_TRUE(broken.boxes.WaitForBox(3000));
    EXPECT_EQ(broken.boxes.Seen()[0].caption, "error");
    EXPECT_EQ(broken.boxes.Seen()[0].text, "Can not initialize region!");
    // Everything still draws and works.
    ::UpdateWindow(broken.dialog.Hwnd());
    HWND play = broken.dialog.FindButton("ID_PLAYBACK_PLAY")->Hwnd();
    ::SendMessageA(play, WM_MOUSEMOVE, 0, At(5, 5));
    ::UpdateWindow(play);
    ::SendMessageA(play, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ::SendMessageA(play, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(broken.dialog.Count("button"), 1u);
    ::UpdateWindow(broken.dialog.FindSlider("IDC_SLIDER1_VOLUME")->Hwnd());
}

TEST(BrokenSkins, OverlongEntriesAbsurdNumbersAndHugeSectionsAreSafe) {
    std::string dir = e2e::MakeTempDirectory("brokenentries");
    std::string extra = "5=ID_PLAYBACK_STOP, 1, 1, 1, 1, " + std::string(300, 'x') + "\r\n" +
                        "6=ID_PLAYBACK_PAUSE, -99999999999, 99999999999, 99999999999, -5, tip, F\r\n" +
                        "7=ID_JUMP_FORWARD, 5, 5, 20000, 20000, big, F\r\n";
    for (int i = 0; i < 1500; ++i)
        extra += "padding_key_" + std::to_string(i) + "=x\r\n";
    std::string texts = "2=TEXT_HINT, " + std::string(60, 'F') +
                        ", T, F, 99999999, -1, 0, 0, 40, 10, hint\r\n" +
                        "3=TEXT_POS, Tahoma, T, F, -11, 0, 0, 0, 0, 0, " + std::string(250, 'y') + "\r\n";
    std::string ini = WriteSkin(dir, extra, texts);
    BrokenSkin broken(ini);
    EXPECT_FALSE(broken.dialog.FindButton("ID_PLAYBACK_STOP"));  // 260 characters or more
    ASSERT_TRUE(broken.dialog.FindButton("ID_PLAYBACK_PAUSE"));
    ASSERT_TRUE(broken.dialog.FindButton("ID_JUMP_FORWARD"));
    EXPECT_TRUE(broken.dialog.FindText("TEXT_HINT"));
    EXPECT_FALSE(broken.dialog.FindText("TEXT_POS"));  // too long as well
    ::UpdateWindow(broken.dialog.Hwnd());
    for (HWND child : e2e::Children(broken.dialog.Hwnd()))
        ::UpdateWindow(child);
    EXPECT_TRUE(broken.boxes.Seen().empty());
}

namespace {
void RealButton(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    ::SendInput(1, &in, sizeof(in));
}
}  // namespace

TEST_F(SkinnedDialog, ARealClickCountsWhetherOrNotThePointerMovedThereFirst) {
    HWND play = Button("ID_PLAYBACK_PLAY");
    POINT centre{10, 10};
    ::ClientToScreen(play, &centre);
    ::SetCursorPos(centre.x, centre.y);
    PumpPending();
    RealButton(MOUSEEVENTF_LEFTDOWN);
    RealButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            PumpPending();
            return dialog.Count("button") == 1;
        },
        2000));
    ::SetCursorPos(centre.x + 200, centre.y + 200);
    PumpPending();
    ::SetCursorPos(centre.x, centre.y);
    RealButton(MOUSEEVENTF_LEFTDOWN);
    RealButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            PumpPending();
            return dialog.Count("button") == 2;
        },
        2000));
}

namespace {
// The test skin again, with its mask replaced by a picture of the given size and pixels.
std::string SkinWithMask(const char* tag, int width, int height, const skintest::PixelFunction& pixel) {
    std::string dir = e2e::MakeTempDirectory(tag);
    std::string ini = WriteSkin(dir);
    WriteBmp(dir + "mask.bmp", width, height, pixel);
    return ini;
}
RECT WorkArea() {
    RECT r{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}
}  // namespace

TEST(UnusableSkins, ASkinThatWouldBeInvisibleOrLargerThanTheWorkAreaIsRefusedAndTheOldOneStays) {
    RECT work = WorkArea();
    struct Case {
        std::string ini;
        SkinRefusal why;
    } cases[] = {
        {SkinWithMask("allwhite", kWidth, kHeight, [](int, int) { return RGB(255, 255, 255); }),
         SkinRefusal::Invisible},
        {SkinWithMask("wide", work.right - work.left + 1, 2, [](int, int) { return RGB(0, 0, 0); }),
         SkinRefusal::LargerThanWork},
        {SkinWithMask("tall", 2, work.bottom - work.top + 1, [](int, int) { return RGB(0, 0, 0); }),
         SkinRefusal::LargerThanWork},
    };
    std::string dir = e2e::MakeTempDirectory("goodskin");
    BrokenSkin good(WriteSkin(dir));
    EXPECT_EQ(good.dialog.LastSkinRefusal(), SkinRefusal::None);
    RECT before = e2e::WindowRect(good.dialog.Hwnd());
    HWND play = good.dialog.FindButton("ID_PLAYBACK_PLAY")->Hwnd();
    for (const Case& c : cases) {
        good.dialog.SetSkinFile(c.ini);
        good.dialog.LoadSkin();
        EXPECT_EQ(good.dialog.LastSkinRefusal(), c.why) << c.ini;
        RECT after = e2e::WindowRect(good.dialog.Hwnd());
        EXPECT_TRUE(::EqualRect(&before, &after)) << c.ini;
        EXPECT_TRUE(::IsWindow(play)) << c.ini;  // nothing of the old skin was replaced
        EXPECT_EQ(good.dialog.ControlCount(), 8u) << c.ini;
        EXPECT_TRUE(good.dialog.FacePicture()) << c.ini;
    }
    EXPECT_TRUE(good.boxes.Seen().empty());

    // The refusal is for the one load: a good skin afterwards loads again.
    good.dialog.SetSkinFile(WriteSkin(e2e::MakeTempDirectory("goodagain")));
    good.dialog.LoadSkin();
    EXPECT_EQ(good.dialog.LastSkinRefusal(), SkinRefusal::None);
    EXPECT_FALSE(::IsWindow(play));
}

TEST(UnusableSkins, ASingleOpaquePixelOrAWorkAreaSizedMaskIsUsable) {
    RECT work = WorkArea();
    EXPECT_EQ(skin::JudgeSkinWindow(SIZE{work.right - work.left, work.bottom - work.top}, false, work),
              SkinRefusal::None);
    BrokenSkin one(SkinWithMask("onepixel", kWidth, kHeight,
                                [](int x, int y) { return x == 5 && y == 5 ? RGB(0, 0, 0) : RGB(255, 255, 255); }));
    EXPECT_EQ(one.dialog.LastSkinRefusal(), SkinRefusal::None);
    EXPECT_EQ(one.dialog.ControlCount(), 8u);
}
