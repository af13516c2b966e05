// The main window's side of the skin: what its buttons and sliders do, the hint line, and the
// switch between the normal and the small skin.
#include <windows.h>

#include "FileSystem.h"
#include "MainWindow.h"
#include "Messages.h"
#include "HoverButton.h"
#include "SkinFormat.h"
#include "resource.h"

static_assert(skin::kScreenPointMark == MK_SCREENPOINT,
              "skinned controls mark screen points as the window expects");

namespace {
constexpr char kPositionSlider[] = "IDC_SLIDER1_PLAYBACK_POSITION";
constexpr char kVolumeSlider[] = "IDC_SLIDER1_VOLUME";
constexpr char kHintField[] = "TEXT_HINT";
constexpr char kSmallSkinEnding[] = "small.ini";
}  // namespace

void MainWindow::OnSkinProgressClick(const std::string&) {}

void MainWindow::OnSkinButtonClick(const std::string& name) {
    int command = skin::CommandOfControl(name);
    if (command) ::PostMessageA(Hwnd(), WM_COMMAND, command, 0);
}

// The media follows the thumb while it is dragged: this runs for every slider notification.
void MainWindow::OnSkinSliderEvent(const std::string& name, int, int) {
    if (name == kVolumeSlider) {
        mSettings.mVolume = GetSliderPos(kVolumeSlider);
        ApplyVolume();
    } else if (name == kPositionSlider) {
        mPosition = GetSliderPos(kPositionSlider);
        if (!SeekToFraction()) SetSliderPos(kPositionSlider, 0);
    }
}

void MainWindow::OnSkinMouseMove(const std::string& name, POINT) {
    char hint[256] = {};
    int command = name.empty() ? 0 : skin::CommandOfControl(name);
    if (command) ::LoadStringA(mInstance, static_cast<UINT>(command), hint, sizeof(hint));
    // Every move reports; rewriting an unchanged hint would only restart its scrolling.
    if (GetText(kHintField) != hint) SetText(kHintField, hint);
}

namespace {
std::string SkinRefusalText(const std::string& path, SkinRefusal why, bool fallback) {
    std::string text = "The skin " + path + " can not be loaded: ";
    text += why == SkinRefusal::Invisible ? "its window would have no visible part."
                                          : "its window would be larger than the screen.";
    if (fallback) text += "\nThe normal skin is used instead.";
    return text;
}
}  // namespace

void MainWindow::TellSkinRefused(const std::string& path, SkinRefusal why, bool fallback) {
    ::MessageBoxA(Hwnd(), SkinRefusalText(path, why, fallback).c_str(), mProductName, MB_OK);
}

// At start-up the skin in use was refused: the shipped normal skin takes its place (unless it is
// the one at fault), and the refused one is never stored as the skin in use.
void MainWindow::FallBackFromRefusedSkin(const std::string& defaultSkin) {
    SkinRefusal why = LastSkinRefusal();
    std::string refused = mSettings.mCurrentSkin;
    mSettings.mCurrentSkin.clear();  // an empty setting means the normal skin at the next start
    bool fallback = ::lstrcmpiA(refused.c_str(), defaultSkin.c_str()) != 0 && fw::FileExists(defaultSkin.c_str());
    if (fallback) {
        SetSkinFile(defaultSkin);
        LoadSkin();
        fallback = LastSkinRefusal() == SkinRefusal::None;
        if (fallback) mSettings.mCurrentSkin = defaultSkin;
    }
    mRefusedSkin = refused;
    mRefusedWhy = why;
    mRefusedFallback = fallback;
}

bool MainWindow::ApplySkin(const std::string& path) {
    if (path.empty()) return false;
    std::string previous = SkinFile();
    SetSkinFile(path);
    LoadSkin();
    if (LastSkinRefusal() != SkinRefusal::None) {
        // The window keeps the skin it has.
        SetSkinFile(previous);
        TellSkinRefused(path, LastSkinRefusal(), false);
        return false;
    }
    UpdateButtons(IsMediaOpen() ? ID_FILE_SELECTDISC : IDC_BUTTON_CLOSE_PLAYLIST);
    SetSliderRange(kPositionSlider, 600);
    SetSliderRange(kVolumeSlider, 100);
    SetSliderPos(kPositionSlider, mPosition);
    SetSliderPos(kVolumeSlider, mSettings.mVolume);
    return true;
}

// The skin the window wears decides the way: the stored setting may name a skin that is no
// longer there and was replaced by the normal one at start-up.
void MainWindow::ToggleSkin() {
    const std::string shown = SkinFile();
    bool smallShown = shown.size() >= 9 && shown.compare(shown.size() - 9, 9, kSmallSkinEnding) == 0;
    if (smallShown) {
        bool normalThere = !mNormalSkin.empty() && fw::FileExists(mNormalSkin.c_str());
        std::string target = normalThere ? mNormalSkin : mProgramDirectory + "skin\\skin1.ini";
        if (!ApplySkin(target)) return;  // refused: the small skin stays
        mSettings.mCurrentSkin = target;
    } else {
        std::string target = mProgramDirectory + "skin\\small.ini";
        if (!ApplySkin(target)) return;
        mNormalSkin = shown;
        mSettings.mCurrentSkin = target;
    }
}
