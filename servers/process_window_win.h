// Finding a process's window: where a server's close message goes.
#pragma once

#include <windows.h>

// The first top-level window, in the system's order, that belongs to the
// process; null when it has none.
HWND FirstWindowOfProcess(DWORD processId);
