// The stand-in's one top-level window. It shows what the server was started
// with and carries the timers of its scripted behaviour.
#pragma once

#include <windows.h>

#include "standin/options_win.h"

// Creates and shows the window; null when it cannot be created. The options
// must outlive the window.
HWND CreateStatusWindow(HINSTANCE instance, const StandinOptions& options);

// True once the window has accepted WM_CLOSE: a quit message after that is
// the stand-in's own, not the launcher's.
bool StatusWindowClosed();
