// The one handler of the commands that act on what is open: what each command asks of an engine,
// with the settings of the moment, and which commands it leaves to the owner.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Commands.h"
#include "EngineCommands.h"
#include "PlaybackEngine.h"

namespace {

// Writes down every call it gets, as "Name argument".
class RecordingEngine final : public PlaybackEngine {
public:
    std::vector<std::string> calls;
    bool knowsOwnCommands = true;

    void Play() override { Note("Play"); }
    void Pause() override { Note("Pause"); }
    void Stop() override { Note("Stop"); }
    void ScanForward(float rate) override { Note("ScanForward", rate); }
    void ScanBackward(float rate) override { Note("ScanBackward", rate); }
    void SkipSeconds(int delta) override { Note("SkipSeconds", delta); }
    void StepForward() override { Note("StepForward"); }
    bool NextChapter() override {
        Note("NextChapter");
        return false;
    }
    bool PreviousChapter() override {
        Note("PreviousChapter");
        return false;
    }
    bool SeekToFraction(double) override { return false; }
    void Zoom(int multiplier, int divisor) override { Note("Zoom", multiplier * 10 + divisor); }
    void ToggleFullScreen() override { Note("ToggleFullScreen"); }
    void ShowColourControls() override { Note("ShowColourControls"); }
    void SetVolumeFraction(float) override {}
    void VolumeUp() override { Note("VolumeUp"); }
    void VolumeDown() override { Note("VolumeDown"); }
    void ToggleMute() override { Note("ToggleMute"); }
    void SetAudioChannel(int channel) override { Note("SetAudioChannel", channel); }
    void OnChar(WPARAM) override {}
    void OnKeyUp(WPARAM, LPARAM) override {}
    bool OnEngineCommand(UINT id) override {
        Note("OnEngineCommand", static_cast<double>(id));
        return knowsOwnCommands;
    }
    EngineStatus Status() const override { return {}; }
    bool IsStillPicture() const override { return false; }
    const char* MediaPath() const override { return ""; }
    bool InModalLoop() const override { return false; }

private:
    void Note(const char* name) { calls.push_back(name); }
    void Note(const char* name, double value) {
        char text[64];
        std::snprintf(text, sizeof(text), "%s %g", name, value);
        calls.push_back(text);
    }
};

std::vector<std::string> CallsFor(UINT id, const TransportSettings& settings = {}) {
    RecordingEngine engine;
    EXPECT_TRUE(RunEngineCommand(engine, id, settings)) << id;
    return engine.calls;
}

using Calls = std::vector<std::string>;

}  // namespace

TEST(EngineCommands, ScansAndSkipsTakeTheSettingsOfTheMomentAndBackwardRatesStayPositive) {
    TransportSettings settings;
    settings.skipForward = 30;
    settings.skipBackward = 7;
    settings.fastForward = 4;
    settings.fastBackward = 3;
    settings.slowlyForward = 0.25f;
    settings.slowlyBackward = 0.75f;
    EXPECT_EQ(CallsFor(ID_PLAYBACK_FASTFORWARD, settings), Calls{"ScanForward 4"});
    EXPECT_EQ(CallsFor(ID_PLAYBACK_REWIND, settings), Calls{"ScanBackward 3"});
    EXPECT_EQ(CallsFor(ID_PLAYBACK_SLOWFORWARD, settings), Calls{"ScanForward 0.25"});
    EXPECT_EQ(CallsFor(ID_PLAYBACK_SLOWBACKWARD, settings), Calls{"ScanBackward 0.75"});
    EXPECT_EQ(CallsFor(ID_JUMP_FORWARD, settings), Calls{"SkipSeconds 30"});
    EXPECT_EQ(CallsFor(ID_JUMP_BACKWARD, settings), Calls{"SkipSeconds -7"});
    // The defaults: slow forward at half speed.
    EXPECT_EQ(CallsFor(ID_PLAYBACK_SLOWFORWARD), Calls{"ScanForward 0.5"});
}

TEST(EngineCommands, PictureAndSoundCommandsReachTheirOperation) {
    EXPECT_EQ(CallsFor(ID_ZOOM_100), Calls{"Zoom 11"});
    EXPECT_EQ(CallsFor(ID_ZOOM_50), Calls{"Zoom 12"});
    EXPECT_EQ(CallsFor(ID_ZOOM_200), Calls{"Zoom 21"});
    EXPECT_EQ(CallsFor(ID_AUDIO_RIGHT), Calls{"SetAudioChannel 1"});
    EXPECT_EQ(CallsFor(ID_AUDIO_LEFT), Calls{"SetAudioChannel -1"});
    EXPECT_EQ(CallsFor(ID_AUDIO_BOTH), Calls{"SetAudioChannel 0"});
    EXPECT_EQ(CallsFor(ID_AUDIO_MUTE), Calls{"ToggleMute"});
    EXPECT_EQ(CallsFor(ID_OPTIONS_FULLSCREEN), Calls{"ToggleFullScreen"});
    EXPECT_EQ(CallsFor(ID_PLAYBACK_STEPFORWARD), Calls{"StepForward"});
}

TEST(EngineCommands, WhatOnlyOneEngineKnowsGoesToItAndWhatNoneKnowsIsTheOwners) {
    EXPECT_EQ(CallsFor(ID_OPTIONS_CLOSEDCAPTION),
              Calls{"OnEngineCommand " + std::to_string(ID_OPTIONS_CLOSEDCAPTION)});
    RecordingEngine engine;
    engine.knowsOwnCommands = false;
    // Close, about and the playlist's steps are the owner's: the engine is asked nothing else.
    for (UINT id : {ID_FILE_CLOSE, ID_APP_ABOUT, ID_PLAYBACK_NEXTCHAPTER, ID_PLAYBACK_PREVIOUSCHAPTER}) {
        engine.calls.clear();
        EXPECT_FALSE(RunEngineCommand(engine, id, {})) << id;
        EXPECT_EQ(engine.calls, Calls{"OnEngineCommand " + std::to_string(id)});
    }
}
