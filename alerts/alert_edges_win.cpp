#include "alerts/alert_edges_win.h"

#include <windows.h>

#include "alerts/webhook_post_win.h"

namespace {

std::string Utf8FromWide(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int length = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::string Utf8FromCodePage(const std::string& text)
{
    return Utf8FromWide(WideFromCodePage(text));
}

std::string ComputerName()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = L"";
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    return ::GetComputerNameW(name, &length) ? Utf8FromWide(std::wstring(name, length)) : std::string("this host");
}

}  // namespace

std::wstring WideFromCodePage(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = static_cast<int>(text.size());
    const int characters = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(characters), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), characters);
    return wide;
}

AlertEdges SystemAlertEdges()
{
    return AlertEdges{PostToWebhook, Utf8FromCodePage, SystemWallTime, ComputerName()};
}
