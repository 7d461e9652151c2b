// Non-owning wrapper of a menu handle.
#pragma once

#include <windows.h>

class CMenu {
public:
    explicit CMenu(HMENU menu) : m_hMenu(menu) {}

    HMENU GetSafeHmenu() const { return m_hMenu; }
    bool AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) const
    {
        return ::AppendMenuA(m_hMenu, flags, id, text) != FALSE;
    }

private:
    HMENU m_hMenu;
};
