// Centres a top-level window the way dialogs open: over its owner, or in the
// work area of its monitor when it has no owner to centre over, and always
// wholly inside that work area.
#pragma once

#include <windows.h>

void CentreWindow(HWND window);
