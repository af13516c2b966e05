// How many GDI objects this process holds. The platform's own count (GetGuiResources) is not
// available everywhere, so the handle table is probed: every GDI handle index is tried.
#pragma once

#include <windows.h>

namespace fw {

long CountGdiObjects();
// A registered message that the main window answers with CountGdiObjects(), so a soak run
// can watch the running player from outside.
UINT GdiCountMessage();

}  // namespace fw
