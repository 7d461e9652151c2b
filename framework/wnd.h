// Non-owning wrapper of a window handle: the calls the tool makes on windows.
#pragma once

#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND hwnd) { m_hWnd = hwnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND GetDlgItem(int id) const;

    void EnableWindow(bool enable) const;
    bool IsWindowEnabled() const;
    void SetWindowText(const char* text) const;
    // The Ensure setters change the window only when it shows something
    // else: an unchanged window is not repainted, and the operator's view
    // of it (an open drop-down, a caret) is left alone.
    void EnsureEnabled(bool enable) const;
    void EnsureWindowText(const char* text) const;
    // The whole text, however long.
    std::string GetWindowText() const;
    // At most size - 1 characters, always zero-terminated; for fixed fields.
    void GetWindowText(char* text, int size) const;

    bool IsIconic() const;
    RECT GetClientRect() const;
    void SetIcon(HICON icon, bool big) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs) const;
    bool KillTimer(UINT_PTR id) const;
    int MessageBox(const char* text, const char* caption, UINT type) const;

protected:
    HWND m_hWnd = nullptr;
};
