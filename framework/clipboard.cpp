#include "framework/clipboard.h"

#include <cstring>

bool CopyTextToClipboard(HWND owner, const std::string& text)
{
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr)
        return false;
    void* bytes = ::GlobalLock(memory);
    if (bytes == nullptr) {
        ::GlobalFree(memory);
        return false;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    // Once the clipboard has taken the memory it is the clipboard's.
    const bool taken = ::SetClipboardData(CF_TEXT, memory) != nullptr;
    ::CloseClipboard();
    if (!taken)
        ::GlobalFree(memory);
    return taken;
}
