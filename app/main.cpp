#include <windows.h>

#include "PlayerApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    PlayerApp app;
    return app.Run(instance);
}
