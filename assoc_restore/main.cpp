// assoc_restore: no window, no arguments, no message; one pass over the registry, exit code 0.
#include <windows.h>

#include "Restore.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestoreAssociations(HKEY_CLASSES_ROOT, RestoreProgramPath(CurrentDirectory()));
    return 0;
}
