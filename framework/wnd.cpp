#include "framework/wnd.h"

#include "framework/modal_loop.h"

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

HWND CWnd::GetDlgItem(int id) const
{
    return ::GetDlgItem(m_hWnd, id);
}

void CWnd::EnableWindow(bool enable) const
{
    ::EnableWindow(m_hWnd, enable ? TRUE : FALSE);
}

bool CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd) != FALSE;
}

void CWnd::SetWindowText(const char* text) const
{
    ::SetWindowTextA(m_hWnd, text);
}

void CWnd::EnsureEnabled(bool enable) const
{
    if (IsWindowEnabled() != enable)
        EnableWindow(enable);
}

void CWnd::EnsureWindowText(const char* text) const
{
    if (GetWindowText() != text)
        SetWindowText(text);
}

std::string CWnd::GetWindowText() const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void CWnd::GetWindowText(char* text, int size) const
{
    if (size <= 0)
        return;
    text[0] = '\0';
    ::GetWindowTextA(m_hWnd, text, size);
}

bool CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd) != FALSE;
}

RECT CWnd::GetClientRect() const
{
    RECT rect = {};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

void CWnd::SetIcon(HICON icon, bool big) const
{
    SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs) const
{
    return ::SetTimer(m_hWnd, id, elapseMs, nullptr);
}

bool CWnd::KillTimer(UINT_PTR id) const
{
    return ::KillTimer(m_hWnd, id) != FALSE;
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) const
{
    const ModalLoop loop;
    return ::MessageBoxA(m_hWnd, text, caption, type);
}
