#include "EngineCommands.h"

#include "Commands.h"
#include "PlaybackEngine.h"

bool RunEngineCommand(PlaybackEngine& engine, UINT id, const TransportSettings& settings) {
    switch (id) {
        case ID_PLAYBACK_PLAY:
            engine.Play();
            return true;
        case ID_PLAYBACK_PAUSE:
            engine.Pause();
            return true;
        case ID_PLAYBACK_STOP:
            engine.Stop();
            return true;
        // Rates go as the user gave them; each engine applies its own sign for backwards.
        case ID_PLAYBACK_FASTFORWARD:
            engine.ScanForward(static_cast<float>(settings.fastForward));
            return true;
        case ID_PLAYBACK_REWIND:
            engine.ScanBackward(static_cast<float>(settings.fastBackward));
            return true;
        case ID_PLAYBACK_SLOWFORWARD:
            engine.ScanForward(settings.slowlyForward);
            return true;
        case ID_PLAYBACK_SLOWBACKWARD:
            engine.ScanBackward(settings.slowlyBackward);
            return true;
        case ID_JUMP_FORWARD:
            engine.SkipSeconds(settings.skipForward);
            return true;
        case ID_JUMP_BACKWARD:
            engine.SkipSeconds(-settings.skipBackward);
            return true;
        case ID_PLAYBACK_STEPFORWARD:
            engine.StepForward();
            return true;
        case ID_OPTIONS_FULLSCREEN:
            engine.ToggleFullScreen();
            return true;
        case ID_ZOOM_100:
            engine.Zoom(1, 1);
            return true;
        case ID_ZOOM_50:
            engine.Zoom(1, 2);
            return true;
        case ID_ZOOM_200:
            engine.Zoom(2, 1);
            return true;
        case ID_OPTIONS_COLOUR:
            engine.ShowColourControls();
            return true;
        case ID_AUDIO_MUTE:
            engine.ToggleMute();
            return true;
        case ID_AUDIO_VOLUMEUP:
            engine.VolumeUp();
            return true;
        case ID_AUDIO_VOLUMEDOWN:
            engine.VolumeDown();
            return true;
        case ID_AUDIO_RIGHT:
            engine.SetAudioChannel(+1);
            return true;
        case ID_AUDIO_LEFT:
            engine.SetAudioChannel(-1);
            return true;
        case ID_AUDIO_BOTH:
            engine.SetAudioChannel(0);
            return true;
    }
    return engine.OnEngineCommand(id);
}
