// Play, pause, stop, scanning, stepping, seeking, the position poll, repeat and the audio
// controls. Each operation quietly does nothing when the interfaces it needs are missing.
#include "FilePlayer.h"
#include "AudioControl.h"
#include "DsUtil.h"
#include "Messages.h"
#include "PlaybackMath.h"
#include "StatusFigures.h"

void FilePlayer::Play() {
    if (!mediaControl) return;
    if (state == Paused || state == Stopped || state == Scanning) {
        if (SUCCEEDED(mediaControl->Run())) state = Running;
    }
    // Back to normal speed, also from a scan.
    if (mediaSeeking && SUCCEEDED(mediaSeeking->SetRate(1.0))) UpdateVideoWindowTitle();
}

void FilePlayer::Pause() {
    if (!mediaControl) return;
    if (state != Paused && state != Stopped) {
        if (SUCCEEDED(mediaControl->Pause())) state = Paused;
    }
    UpdateVideoWindowTitle();
}

void FilePlayer::Stop() {
    if (!mediaControl || !mediaSeeking) return;
    // A graph that would not stop goes on as it was, and so does its cursor timer.
    if ((state == Paused || state == Running || state == Scanning) && SUCCEEDED(mediaControl->Stop())) {
        ::KillTimer(videoWindow, kCursorTimer);
        state = Stopped;
        // Back to the start, paused, so that the first frame shows; a graph that stays stopped
        // instead is stopped all the same.
        LONGLONG start = 0;
        mediaSeeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
        mediaControl->Pause();
    }
    UpdateVideoWindowTitle();
}

// The forward scan asks the source nothing beforehand: the rate it takes or refuses decides.
void FilePlayer::ScanForward(float rate) {
    if (!basicVideo || !mediaSeeking) return;
    // A scan starts from normal playback only; to change speed while scanning, Play first.
    if (state != Running) return;
    if (SUCCEEDED(mediaSeeking->SetRate(rate))) state = Scanning;
}

void FilePlayer::ScanBackward(float rate) {
    if (!basicVideo || !mediaSeeking) return;
    DWORD capabilities = 0;
    if (FAILED(mediaSeeking->GetCapabilities(&capabilities))) return;
    if (!(capabilities & AM_SEEKING_CanPlayBackwards)) return;
    if (state != Running) return;
    // DirectShow plays backwards at a negative rate.
    if (SUCCEEDED(mediaSeeking->SetRate(-rate))) state = Scanning;
}

void FilePlayer::StepForward() {
    StepFrames(+1);
}

HRESULT FilePlayer::StepOneFrame() {
    if (!frameStep) return 0;
    if (state != Paused) Pause();
    return frameStep->Step(1, nullptr);
}

HRESULT FilePlayer::StepFrames(int delta) {
    if (delta == 1) return StepOneFrame();
    if (!mediaSeeking) return 0;
    TimeFormatSwitch frames(mediaSeeking.Get(), TIME_FORMAT_FRAME);
    if (FAILED(frames.Result())) return frames.Result();
    LONGLONG frame = 0;
    HRESULT hr = mediaSeeking->GetCurrentPosition(&frame);
    if (FAILED(hr)) return hr;
    LONGLONG target = ClampToStart(frame + static_cast<int64_t>(delta));
    if (state != Paused) Pause();
    return frames.SeekAndRestore(target);
}

// Seeks to target (media time) and puts the caller's time format back.
HRESULT FilePlayer::SeekAbsolute(int64_t target) {
    TimeFormatSwitch mediaTime(mediaSeeking.Get(), TIME_FORMAT_MEDIA_TIME);
    if (FAILED(mediaTime.Result())) return mediaTime.Result();
    return mediaTime.SeekAndRestore(target);
}

HRESULT FilePlayer::SeekTo(int64_t time) {
    if (!mediaSeeking) return 0;
    return SeekAbsolute(ClampToStart(time));
}

bool FilePlayer::SeekToFraction(double fraction) {
    if (stopPosition == 0) return false;
    SeekTo(SeekTimeForFraction(fraction, stopPosition));
    return true;
}

void FilePlayer::SkipSeconds(int delta) {
    if (!mediaSeeking) return;
    TimeFormatSwitch mediaTime(mediaSeeking.Get(), TIME_FORMAT_MEDIA_TIME);
    if (FAILED(mediaTime.Result())) return;
    LONGLONG current = 0;
    if (FAILED(mediaSeeking->GetCurrentPosition(&current))) return;
    position = current;
    // No limit at the end: a skip past it ends the clip.
    mediaTime.SeekAndRestore(SkipTarget(position, delta));
}

void FilePlayer::PollPosition() {
    if (!mediaSeeking) return;
    TimeFormatSwitch mediaTime(mediaSeeking.Get(), TIME_FORMAT_MEDIA_TIME);
    if (FAILED(mediaTime.Result())) return;
    LONGLONG stop = 0, current = 0;
    if (FAILED(mediaSeeking->GetStopPosition(&stop))) return;
    stopPosition = stop;
    if (FAILED(mediaSeeking->GetCurrentPosition(&current))) return;
    position = current;
    if (FAILED(mediaTime.Restore())) return;
    RECT client;
    if (notifyWindow && ::GetClientRect(notifyWindow, &client))
        ::PostMessageA(notifyWindow, WM_POSITIONUPDATE, 0, 0);
}

int FilePlayer::ToggleRepeat() {
    repeat = !repeat;
    return 1;
}

void FilePlayer::ToggleMute() {
    if (graphBuilder && SUCCEEDED(::ToggleMute(basicAudio.Get(), volume))) UpdateVideoWindowTitle();
}

void FilePlayer::VolumeUp() {
    if (graphBuilder) StepVolume(basicAudio.Get(), volume, kFileVolumeStep);
}

void FilePlayer::VolumeDown() {
    if (graphBuilder) StepVolume(basicAudio.Get(), volume, -kFileVolumeStep);
}

void FilePlayer::SetVolumeFraction(float fraction) {
    if (graphBuilder) PutVolumeFraction(basicAudio.Get(), fraction, volume);
}

void FilePlayer::SetAudioChannel(int channel) {
    PutChannel(basicAudio.Get(), channel, modalGuard);
}

// Colour controls exist for DVD overlays only.
void FilePlayer::ShowColourControls() {}
