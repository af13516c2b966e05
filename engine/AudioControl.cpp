#include "AudioControl.h"

#include "VideoArithmetic.h"
#include "VideoWindow.h"

bool ToggleMute(IBasicAudio* audio, long stored) {
    if (!audio) return false;
    long current = 0;
    if (FAILED(audio->get_Volume(&current))) return false;
    return SUCCEEDED(audio->put_Volume(current != kVolumeSilent ? kVolumeSilent : stored));
}

void StepVolume(IBasicAudio* audio, long& volume, bool up) {
    if (!audio || FAILED(audio->get_Volume(&volume))) return;
    volume = up ? VolumeStepUp(volume) : VolumeStepDown(volume);
    audio->put_Volume(volume);
}

void PutVolumeFraction(IBasicAudio* audio, float fraction, long& volume) {
    if (!audio) return;
    volume = VolumeFromFraction(fraction);
    audio->put_Volume(volume);
}

void PutChannel(IBasicAudio* audio, int channel, ModalGuard& guard) {
    if (!audio) return;
    long balance = 0;
    if (FAILED(audio->get_Balance(&balance))) return;
    if (!BalanceForChannel(channel, balance)) ErrorBox(guard, "error", "unknown channel settings");
    audio->put_Balance(balance);
}
