#include "alerts/alert_edges_win.h"

#include <windows.h>

#include "alerts/webhook_post_win.h"
#include "framework/code_page_win.h"

namespace {

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

AlertEdges SystemAlertEdges()
{
    return AlertEdges{PostToWebhook, Utf8FromCodePage, SystemWallTime, ComputerName()};
}
