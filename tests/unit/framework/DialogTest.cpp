// The dialog framework on real windows and a real message loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Dialog.h"

namespace {

constexpr UINT kTemplate = 500;
constexpr UINT WM_TEST_END = WM_APP + 1;

// Records what it sees; ends itself with the value in wParam of WM_TEST_END.
class ProbeDialog : public fw::Dialog {
public:
    using fw::Dialog::Dialog;
    std::vector<UINT> preTranslated;
    std::vector<UINT> dispatched;
    std::string charsSeen;
    fw::PreTranslate charAnswer = fw::PreTranslate::Default;
    bool endInInit = false;
    bool wasShown = false;
    int initCalls = 0;

    fw::PreTranslate PreTranslateMessage(MSG& msg) override {
        preTranslated.push_back(msg.message);
        if (msg.message == WM_CHAR) {
            charsSeen += static_cast<char>(msg.wParam);
            return charAnswer;
        }
        return fw::PreTranslate::Default;
    }

protected:
    INT_PTR WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        dispatched.push_back(msg);
        if (msg == WM_SHOWWINDOW && wParam) wasShown = true;
        if (msg == WM_TEST_END) {
            EndDialog(static_cast<INT_PTR>(wParam));
            return TRUE;
        }
        return fw::Dialog::WindowProc(msg, wParam, lParam);
    }
    BOOL OnInitDialog() override {
        ++initCalls;
        if (endInInit) EndDialog(7);
        return TRUE;
    }
};

bool Saw(const std::vector<UINT>& messages, UINT msg) {
    return std::find(messages.begin(), messages.end(), msg) != messages.end();
}

// Posts the given messages to the dialog from its initialisation.
class ScriptedDialog : public ProbeDialog {
public:
    using ProbeDialog::ProbeDialog;
    std::vector<MSG> script;

protected:
    BOOL OnInitDialog() override {
        for (const MSG& m : script)
            ::PostMessageA(m.hwnd ? m.hwnd : Hwnd(), m.message, m.wParam, m.lParam);
        return ProbeDialog::OnInitDialog();
    }
};

MSG Msg(UINT message, WPARAM wParam = 0, HWND hwnd = nullptr) {
    return MSG{hwnd, message, wParam, 0, 0, {}};
}

}  // namespace

TEST(ModalDialog, ReturnsTheValueGivenToEndDialog) {
    ScriptedDialog dialog(kTemplate);
    dialog.script = {Msg(WM_TEST_END, 42)};
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.Hwnd(), nullptr);  // destroyed, and the this-pointer let go
    EXPECT_TRUE(dialog.wasShown);
}

TEST(ModalDialog, EndedDuringInitialisationItIsNeverShown) {
    ProbeDialog dialog(kTemplate);
    dialog.endInInit = true;
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_FALSE(dialog.wasShown);
}

TEST(ModalDialog, AnUnknownTemplateFails) {
    ProbeDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(ModalDialog, SeesQueuedMessagesBeforeTheyAreDispatched) {
    ScriptedDialog dialog(kTemplate);
    dialog.charAnswer = fw::PreTranslate::Consumed;
    dialog.script = {Msg(WM_CHAR, 'k'), Msg(WM_CHAR, ' '), Msg(WM_TEST_END, 1)};
    dialog.DoModal();
    EXPECT_EQ(dialog.charsSeen, "k ");
    EXPECT_FALSE(Saw(dialog.dispatched, WM_CHAR));  // consumed: never reached the window
}

TEST(ModalDialog, EnterEndsAPlainDialogWithOk) {
    ScriptedDialog dialog(kTemplate);
    dialog.script = {Msg(WM_KEYDOWN, VK_RETURN)};
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(ModalDialog, MessagesLetThroughSkipTheDialogKeyboardHandling) {
    // Escape, dispatched without the dialog's keyboard handling, is no cancel command.
    ScriptedDialog dialog(kTemplate);
    dialog.script = {Msg(WM_KEYDOWN, VK_ESCAPE), Msg(WM_TEST_END, 5)};
    struct EscapePasses : ScriptedDialog {
        using ScriptedDialog::ScriptedDialog;
        fw::PreTranslate PreTranslateMessage(MSG& msg) override {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return fw::PreTranslate::Dispatch;
            return ScriptedDialog::PreTranslateMessage(msg);
        }
    } passing(kTemplate);
    passing.script = dialog.script;
    EXPECT_EQ(passing.DoModal(), 5);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // with the usual handling Escape cancels
}

TEST(ModelessDialog, OkHidesItAndTheWindowLivesOn) {
    ProbeDialog dialog(kTemplate);
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.Hwnd();
    ::ShowWindow(hwnd, SW_SHOW);
    ::SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    dialog.Destroy();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST(ModelessDialog, ItsKeysGoToItselfNotToTheMainDialog) {
    ProbeDialog main(kTemplate), side(kTemplate);
    ASSERT_TRUE(main.Create());
    ASSERT_TRUE(side.Create());
    fw::SetMainDialog(&main);
    MSG msg = Msg(WM_CHAR, 'x', side.Item(1000));
    fw::PumpMessage(msg);
    EXPECT_EQ(side.charsSeen, "x");
    EXPECT_EQ(main.charsSeen, "");
    fw::SetMainDialog(nullptr);
}

TEST(MainDialog, SeesTheKeysOfTopLevelWindowsThatAreNotDialogs) {
    ProbeDialog main(kTemplate);
    ASSERT_TRUE(main.Create());
    fw::SetMainDialog(&main);
    HWND plain =
        ::CreateWindowExA(0, "STATIC", "video", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    MSG msg = Msg(WM_CHAR, 'm', plain);
    fw::PumpMessage(msg);
    EXPECT_EQ(main.charsSeen, "m");
    ::DestroyWindow(plain);
    fw::SetMainDialog(nullptr);
}
