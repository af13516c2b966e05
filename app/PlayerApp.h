// The application object of the player: builds the main window and runs it modally.
#pragma once

#include "App.h"

class PlayerApp : public fw::App {
public:
    bool InitInstance() override;

    int mSliderHeld = 0;  // 1 while a skinned slider's thumb is held: the status display waits
};

PlayerApp& ThePlayerApp();
