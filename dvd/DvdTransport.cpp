// Play, pause, stop, scans, chapters, menus, time jumps, frame steps, captions and sound.
#include "DvdPlayer.h"

#include "Commands.h"
#include "AudioControl.h"
#include "DsUtil.h"
#include "DvdTexts.h"
#include "VideoArithmetic.h"

namespace {

DVD_HMSF_TIMECODE ToNavigatorTime(DvdTimeCode time) {
    DVD_HMSF_TIMECODE code{};
    code.bHours = time.hours;
    code.bMinutes = time.minutes;
    code.bSeconds = time.seconds;
    code.bFrames = time.frames;
    return code;
}

}  // namespace

bool DvdPlayer::WaitAndRelease(HRESULT hr, IDvdCmd* command) {
    ComPtr<IDvdCmd> owned;
    owned.Attach(command);
    if (FAILED(hr)) return false;
    if (owned) owned->WaitForEnd();
    return true;
}

HRESULT DvdPlayer::PlayDvd() {
    if (showOnFirstPlay && videoWindow) {
        ::ShowWindow(videoWindow, SW_SHOWNORMAL);
        ::UpdateWindow(videoWindow);
        showOnFirstPlay = false;
    }
    if (state == DvdPlayerState::Uninitialized || !mediaControl || !dvdControl) return E_FAIL;
    HRESULT hr = S_OK;
    DvdPlayerState before = state;
    switch (state) {
        case DvdPlayerState::Stopped:
            hr = mediaControl->Run();
            dvdControl->PlayForwards(1.0, DVD_CMD_FLAG_None, nullptr);
            if (SUCCEEDED(hr)) state = DvdStateAfter(state, DvdTransition::Run);
            break;
        case DvdPlayerState::Paused:
        case DvdPlayerState::NavigatorStopped:
            hr = mediaControl->Run();
            if (SUCCEEDED(hr)) state = DvdStateAfter(state, DvdTransition::Run);
            break;
        case DvdPlayerState::Playing:
            if (stillOn) {
                hr = dvdControl->StillOff();
                if (SUCCEEDED(hr)) stillOn = false;
            }
            break;
        case DvdPlayerState::FramePaused:
            dvdControl->PlayForwards(1.0, DVD_CMD_FLAG_None, nullptr);
            hr = mediaControl->Run();
            if (SUCCEEDED(hr)) state = DvdStateAfter(state, DvdTransition::Run);
            break;
        case DvdPlayerState::Scanning:
            hr = dvdControl->PlayForwards(1.0, DVD_CMD_FLAG_None, nullptr);
            if (SUCCEEDED(hr)) state = DvdStateAfter(state, DvdTransition::PlayFromScan);
            break;
        case DvdPlayerState::Uninitialized:
            break;
    }
    // The main window's state word otherwise changes at the navigator's next time event, and a
    // still menu has none: after a pause there it would read PAUSE while the menu plays on.
    if (state != before) Repaint();
    return hr;
}

bool DvdPlayer::PauseDvd() {
    if (state == DvdPlayerState::Uninitialized) return false;
    // A graph that refuses to pause keeps playing, and the state word says so.
    if (DvdIsPlayingOrScanning(state) && mediaControl && SUCCEEDED(mediaControl->Pause()))
        state = DvdStateAfter(state, DvdTransition::Pause);
    Repaint();
    return true;
}

bool DvdPlayer::StopDvd() {
    if (state == DvdPlayerState::Uninitialized) return false;
    if (mediaControl && dvdControl) {
        if ((DvdIsPlayingOrScanning(state) || state == DvdPlayerState::FramePaused) &&
            SUCCEEDED(mediaControl->Pause()))
            state = DvdPlayerState::Paused;
        // Stopping with the reset option on takes the navigator back to the start of the disc.
        dvdControl->SetOption(DVD_ResetOnStop, TRUE);
        HRESULT hr = mediaControl->Stop();
        dvdControl->SetOption(DVD_ResetOnStop, FALSE);
        if (SUCCEEDED(hr)) state = DvdStateAfter(state, DvdTransition::Stop);
    }
    Repaint();
    return true;
}

bool DvdPlayer::PlayNextChapter() {
    if (!DvdIsPlaying(state) || !dvdControl) return false;
    IDvdCmd* command = nullptr;
    HRESULT hr = dvdControl->PlayNextChapter(DVD_CMD_FLAG_None, &command);  // fills command first
    return WaitAndRelease(hr, command);
}

bool DvdPlayer::PlayPreviousChapter() {
    if (!DvdIsPlaying(state) || !dvdControl) return false;
    return SUCCEEDED(dvdControl->PlayPrevChapter(DVD_CMD_FLAG_Block, nullptr));
}

bool DvdPlayer::ScanDvdForward(float rate) {
    if (!DvdIsPlayingOrScanning(state) || !dvdControl) return false;
    if (FAILED(dvdControl->PlayForwards(rate, DVD_CMD_FLAG_None, nullptr))) return false;
    state = DvdStateAfter(state, DvdTransition::Scan);
    return true;
}

bool DvdPlayer::ScanDvdBackward(float rate) {
    if (!DvdIsPlayingOrScanning(state) || !dvdControl) return false;
    if (FAILED(dvdControl->PlayBackwards(rate, DVD_CMD_FLAG_None, nullptr))) return false;
    state = DvdStateAfter(state, DvdTransition::Scan);
    return true;
}

// Both menu toggles: resume the title when a menu shows, else show the menu. Only the title
// menu tells the owner that the disc refused it.
bool DvdPlayer::ToggleMenu(DVD_MENU_ID menu, bool noteRefusal) {
    if (state == DvdPlayerState::Uninitialized || !dvdControl) return false;
    if (inMenu) {
        if (FAILED(dvdControl->Resume(DVD_CMD_FLAG_Flush, nullptr))) return false;
        inMenu = false;
    } else {
        if (!DvdIsPlayingOrScanning(state)) return false;
        IDvdCmd* command = nullptr;
        HRESULT hr = dvdControl->ShowMenu(menu, DVD_CMD_FLAG_Flush, &command);
        if (!WaitAndRelease(hr, command)) {
            if (noteRefusal && hr == VFW_E_DVD_OPERATION_INHIBITED) NoteProhibited();
            return false;
        }
        inMenu = true;
    }
    state = DvdStateAfter(state, DvdTransition::MenuToggled);
    return true;
}

bool DvdPlayer::ToggleRootMenu() {
    return ToggleMenu(DVD_MENU_Root, false);
}

bool DvdPlayer::ToggleTitleMenu() {
    return ToggleMenu(DVD_MENU_Title, true);
}

bool DvdPlayer::PlayChapter(ULONG chapter) {
    if (!dvdControl) return false;
    HRESULT hr = dvdControl->PlayChapter(chapter, DVD_CMD_FLAG_Block, nullptr);
    if (hr == VFW_E_DVD_OPERATION_INHIBITED) NoteProhibited();
    return SUCCEEDED(hr);
}

bool DvdPlayer::PlayChapterInTitle(ULONG title, ULONG chapter) {
    if (!dvdControl) return false;
    HRESULT hr = dvdControl->PlayChapterInTitle(title, chapter, DVD_CMD_FLAG_Block, nullptr);
    if (hr == VFW_E_DVD_OPERATION_INHIBITED) NoteProhibited();
    return SUCCEEDED(hr);
}

bool DvdPlayer::PlayAtTime(DvdTimeCode time) {
    if (!dvdControl) return false;
    DVD_HMSF_TIMECODE code = ToNavigatorTime(time);
    return SUCCEEDED(dvdControl->PlayAtTime(&code, DVD_CMD_FLAG_Block, nullptr));
}

void DvdPlayer::SkipDvdSeconds(int delta) {
    currentTime = SkipDvdTime(currentTime, delta);
    PlayAtTime(currentTime);
}

bool DvdPlayer::StepFrame() {
    if (state == DvdPlayerState::Uninitialized || !graphBuilder || !mediaControl) return false;
    ComPtr<IVideoFrameStep> frameStep;
    if (FAILED(QueryInto(graphBuilder.Get(), IID_IVideoFrameStep, frameStep))) return false;
    if (frameStep->CanStep(0, nullptr) == S_FALSE) return false;
    if (FAILED(mediaControl->Pause())) return false;
    state = DvdStateAfter(state, DvdTransition::FrameStep);
    return SUCCEEDED(frameStep->Step(1, nullptr));
}

bool DvdPlayer::SetClosedCaptions(bool on) {
    if (!line21Decoder) return false;
    if (FAILED(line21Decoder->SetServiceState(on ? AM_L21_CCSTATE_On : AM_L21_CCSTATE_Off))) return false;
    captionsOn = on;  // whoever switched them, the popup menu's check follows
    return true;
}

bool DvdPlayer::ToggleClosedCaptions() {
    return SetClosedCaptions(!captionsOn);
}

uint64_t DvdPlayer::GetTotalTitleSeconds() const {
    if (!dvdInfo) return 0;
    DVD_HMSF_TIMECODE total{};
    ULONG flags = 0;
    if (FAILED(dvdInfo->GetTotalTitleTime(&total, &flags))) return 0;
    return static_cast<uint64_t>(total.bHours) * 3600 + total.bMinutes * 60u + total.bSeconds;
}

ULONG DvdPlayer::GetParentalLevel() const {
    ULONG level = 0;
    BYTE country[2] = {};
    if (dvdInfo) dvdInfo->GetPlayerParentalLevel(&level, country);
    return level;
}

bool DvdPlayer::NextChapter() {
    PlayNextChapter();
    return true;  // a DVD steps through its own chapters, never through the playlist
}

bool DvdPlayer::PreviousChapter() {
    PlayPreviousChapter();
    return true;
}

bool DvdPlayer::SeekToFraction(double fraction) {
    DvdTimeCode time;
    if (!DvdTimeForFraction(fraction, GetTotalTitleSeconds(), time)) return false;
    PlayAtTime(time);
    return true;
}

// Sound. A renderer without volume or balance control makes these do nothing, silently.
HRESULT DvdPlayer::DvdVolumeUp() {
    return StepVolume(basicAudio.Get(), savedVolume, kDvdVolumeStep);
}

HRESULT DvdPlayer::DvdVolumeDown() {
    return StepVolume(basicAudio.Get(), savedVolume, -kDvdVolumeStep);
}

HRESULT DvdPlayer::DvdToggleMute() {
    return ::ToggleMute(basicAudio.Get(), savedVolume);
}

HRESULT DvdPlayer::DvdSetVolumeFraction(float fraction) {
    return PutVolumeFraction(basicAudio.Get(), fraction, savedVolume);
}

HRESULT DvdPlayer::DvdSetAudioChannel(int channel) {
    return PutChannel(basicAudio.Get(), channel, modalGuard);
}

bool DvdPlayer::OnEngineCommand(UINT id) {
    switch (id) {
        case ID_PLAYBACK_ROOTMENU:
            ToggleRootMenu();
            return true;
        case ID_PLAYBACK_TITLEMENU:
            ToggleTitleMenu();
            return true;
        case ID_OPTIONS_CLOSEDCAPTION:
            ToggleClosedCaptions();
            return true;
    }
    return OnMenuCommand(id);
}
