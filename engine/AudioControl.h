// Volume, mute and balance through a graph's IBasicAudio, on the player's loudness curve. Each
// answers 0 and changes nothing when there is no volume control (no audio interface, or one that
// answers E_NOTIMPL); otherwise the renderer's answer to the last call.
#pragma once

#include <windows.h>
#include <dshow.h>

class ModalGuard;

// Silences the sound, or gives it back `stored` (muting never changes the stored volume).
HRESULT ToggleMute(IBasicAudio* audio, long stored);
// Reads the volume into `volume`, moves it by `step` (up when positive) and puts it back.
HRESULT StepVolume(IBasicAudio* audio, long& volume, long step);
// The volume slider's fraction (0..1), kept in `volume` as put.
HRESULT PutVolumeFraction(IBasicAudio* audio, float fraction, long& volume);
// -1 left only, 0 both, +1 right only; another choice shows an error box and keeps the balance.
HRESULT PutChannel(IBasicAudio* audio, int channel, ModalGuard& guard);
