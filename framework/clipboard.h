// Putting text on the clipboard, as other programs paste it.
#pragma once

#include <windows.h>

#include <string>

// Replaces what the clipboard holds with the text; false when the clipboard
// could not be opened or the memory for the text not had.
bool CopyTextToClipboard(HWND owner, const std::string& text);
