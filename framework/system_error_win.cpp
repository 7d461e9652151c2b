#include "framework/system_error_win.h"

std::optional<std::string> SystemErrorWords(DWORD error, HMODULE messages)
{
    char text[512] = "";
    const DWORD from = FORMAT_MESSAGE_FROM_SYSTEM | (messages != nullptr ? FORMAT_MESSAGE_FROM_HMODULE : 0);
    const DWORD length = ::FormatMessageA(from | FORMAT_MESSAGE_IGNORE_INSERTS, messages, error, 0, text, sizeof text,
                                          nullptr);
    std::string words(text, length);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' ' || words.back() == '.'))
        words.pop_back();
    return words.empty() ? std::nullopt : std::optional<std::string>(words);
}

std::string SystemErrorText(DWORD error)
{
    return SystemErrorWords(error).value_or("system error " + std::to_string(error));
}
