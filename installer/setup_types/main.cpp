// setup_types: what the installer and the uninstaller run to keep the file types of the machine.
//   setup_types record            notes the file types as they are before the player first runs
//   setup_types giveback FOLDER   gives them back for the installation in FOLDER
// No window, no message; exit code 0, or 2 for a command it does not know.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "Registry.h"
#include "TypesRecord.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string verb = __argc > 1 ? __argv[1] : "";
    if (verb == "record") {
        fw::RegKey record = fw::RegCreate(HKEY_LOCAL_MACHINE, setup_types::kRecordKey, KEY_READ | KEY_WRITE);
        setup_types::RecordTypes(HKEY_CLASSES_ROOT, record.Get());
        return 0;
    }
    if (verb == "giveback" && __argc > 2) {
        std::string folder = __argv[2];
        fw::RegKey record = fw::RegOpen(HKEY_LOCAL_MACHINE, setup_types::kRecordKey, KEY_READ);
        setup_types::GiveTypesBack(HKEY_CLASSES_ROOT, record.Get(), folder);
        return 0;
    }
    return 2;
}
