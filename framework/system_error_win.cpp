#include "framework/system_error_win.h"

std::string SystemErrorText(DWORD error)
{
    char text[512] = "";
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                          0, text, sizeof text, nullptr);
    std::string words(text, length);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' ' || words.back() == '.'))
        words.pop_back();
    return words.empty() ? "system error " + std::to_string(error) : words;
}
