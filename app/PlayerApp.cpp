#include "PlayerApp.h"

#include <commctrl.h>

#include "Captions.h"
#include "CommandLine.h"
#include "ComOnDemand.h"
#include "MainWindow.h"
#include "PathText.h"
#include "resource.h"

PlayerApp& ThePlayerApp() {
    return *static_cast<PlayerApp*>(fw::App::Current());
}

bool PlayerApp::InitInstance() {
    SetRegistryKey("ZentaforStudio");

    fw::CommandLineInfo commandLine = fw::ParseCommandLine(fw::ProcessArguments());
    MainWindow mainWindow(Instance(), commandLine.fileName);
    fw::SetMainDialog(&mainWindow);

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    fw::ComOnDemand com;  // started once the window is up, or by the first media opened
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);

    mainWindow.DoModal();
    return false;
}
