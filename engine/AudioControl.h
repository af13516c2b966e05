// Volume, mute and balance through a graph's IBasicAudio, on the player's loudness curve. Each
// does nothing when the graph has no volume (E_NOTIMPL) or no audio interface.
#pragma once

#include <windows.h>
#include <dshow.h>

class ModalGuard;

// Silences the sound, or gives it back `stored` (muting never changes the stored volume). True
// when the volume was changed.
bool ToggleMute(IBasicAudio* audio, long stored);
// Reads the volume into `volume`, moves it one step up or down and puts it back.
void StepVolume(IBasicAudio* audio, long& volume, bool up);
// The volume slider's fraction (0..1), kept in `volume` as put.
void PutVolumeFraction(IBasicAudio* audio, float fraction, long& volume);
// -1 left only, 0 both, +1 right only; another choice shows an error box and keeps the balance.
void PutChannel(IBasicAudio* audio, int channel, ModalGuard& guard);
