#include "AudioControl.h"

#include "VideoArithmetic.h"
#include "VideoWindow.h"

namespace {

// A renderer without the control is no failure to report: the command simply does nothing.
HRESULT Quietly(HRESULT hr) {
    return hr == E_NOTIMPL ? S_OK : hr;
}

}  // namespace

HRESULT ToggleMute(IBasicAudio* audio, long stored) {
    if (!audio) return S_OK;
    long current = 0;
    HRESULT hr = audio->get_Volume(&current);
    if (FAILED(hr)) return Quietly(hr);
    return audio->put_Volume(MuteToggled(current, stored));
}

HRESULT StepVolume(IBasicAudio* audio, long& volume, long step) {
    if (!audio) return S_OK;
    HRESULT hr = audio->get_Volume(&volume);
    if (FAILED(hr)) return Quietly(hr);
    volume = VolumeStepped(volume, step);
    return audio->put_Volume(volume);
}

HRESULT PutVolumeFraction(IBasicAudio* audio, float fraction, long& volume) {
    if (!audio) return S_OK;
    volume = VolumeFromFraction(fraction);
    return audio->put_Volume(volume);
}

HRESULT PutChannel(IBasicAudio* audio, int channel, ModalGuard& guard) {
    if (!audio) return S_OK;
    long balance = 0;
    HRESULT hr = audio->get_Balance(&balance);
    if (FAILED(hr)) return Quietly(hr);
    if (!BalanceForChannel(channel, balance)) ErrorBox(guard, "error", "unknown channel settings");
    return audio->put_Balance(balance);
}
