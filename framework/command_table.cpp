#include "framework/command_table.h"

#include <utility>

#include "framework/win_app.h"
#include "framework/wnd.h"

namespace {

std::string KeyName(WORD key)
{
    if (key >= VK_F1 && key <= VK_F24)
        return "F" + std::to_string(key - VK_F1 + 1);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    char name[64] = "";
    ::GetKeyNameTextA(static_cast<LONG>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16), name, sizeof name);
    return name;
}

void AppendItem(HMENU menu, bool separated, UINT id, const std::string& text)
{
    if (separated)
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, id, text.c_str());
}

}  // namespace

std::string ShortcutText(Shortcut shortcut)
{
    if (shortcut.key == 0)
        return std::string();
    std::string text;
    if (shortcut.modifiers & FCONTROL)
        text += "Ctrl+";
    if (shortcut.modifiers & FSHIFT)
        text += "Shift+";
    if (shortcut.modifiers & FALT)
        text += "Alt+";
    return text + KeyName(shortcut.key);
}

CommandTable::CommandTable(std::vector<Command> commands) : m_commands(std::move(commands))
{
    std::vector<ACCEL> keys;
    for (const Command& command : m_commands) {
        if (command.shortcut.key != 0)
            keys.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | command.shortcut.modifiers), command.shortcut.key,
                                 static_cast<WORD>(command.id)});
    }
    // Without the table the menus still work; the shortcuts do nothing.
    if (!keys.empty())
        m_accelerators = ::CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
}

CommandTable::~CommandTable()
{
    if (m_accelerators != nullptr)
        ::DestroyAcceleratorTable(m_accelerators);
}

const Command* CommandTable::Find(UINT id) const
{
    for (const Command& command : m_commands) {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

bool CommandTable::IsAvailable(HWND window, const Command& command) const
{
    if (command.available)
        return command.available();
    const HWND control = ::GetDlgItem(window, static_cast<int>(command.id));
    return control == nullptr || ::IsWindowEnabled(control);
}

// Empty when the text is missing: the menus leave the command out.
std::string CommandTable::ItemText(HWND window, const Command& command) const
{
    const std::string text = command.textId != 0
                                 ? LoadResourceString(command.textId)
                                 : CWnd(::GetDlgItem(window, static_cast<int>(command.id))).GetWindowText();
    const std::string shortcut = ShortcutText(command.shortcut);
    return text.empty() || shortcut.empty() ? text : text + "\t" + shortcut;
}

// The template's popup holds a separator only because a resource compiler
// writes an empty popup as a plain item.
void CommandTable::FillPopup(HWND window, HMENU popup, UINT popupId) const
{
    while (::GetMenuItemCount(popup) > 0)
        ::DeleteMenu(popup, 0, MF_BYPOSITION);
    for (const Command& command : m_commands) {
        const std::string text = command.popup == popupId ? ItemText(window, command) : std::string();
        const bool separated = command.separator == Separator::Before && ::GetMenuItemCount(popup) > 0;
        if (!text.empty())
            AppendItem(popup, separated, command.id, text);
    }
}

void CommandTable::Install(HWND window) const
{
    if (const HMENU bar = ::GetMenu(window)) {
        for (int i = 0; i < ::GetMenuItemCount(bar);) {
            MENUITEMINFOA item = {};
            item.cbSize = sizeof item;
            item.fMask = MIIM_ID | MIIM_SUBMENU;
            if (::GetMenuItemInfoA(bar, static_cast<UINT>(i), TRUE, &item) && item.hSubMenu != nullptr)
                FillPopup(window, item.hSubMenu, item.wID);
            if (item.hSubMenu != nullptr && ::GetMenuItemCount(item.hSubMenu) == 0)
                ::DeleteMenu(bar, static_cast<UINT>(i), MF_BYPOSITION);
            else
                ++i;
        }
        ::DrawMenuBar(window);
    }
    if (const HMENU system = ::GetSystemMenu(window, FALSE)) {
        bool first = true;
        for (const Command& command : m_commands) {
            const bool listed = command.systemMenu == SystemMenu::Lists;
            const std::string text = listed ? ItemText(window, command) : std::string();
            if (text.empty())
                continue;
            AppendItem(system, first || command.separator == Separator::Before, command.id, text);
            first = false;
        }
    }
}

void CommandTable::EnableItems(HWND window, HMENU popup) const
{
    for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
        const Command* command = Find(::GetMenuItemID(popup, i));
        if (command != nullptr)
            ::EnableMenuItem(popup, static_cast<UINT>(i),
                             MF_BYPOSITION | (IsAvailable(window, *command) ? MF_ENABLED : MF_GRAYED));
    }
}

bool CommandTable::Run(HWND window, UINT id, bool system) const
{
    const Command* command = Find(id);
    if (command == nullptr || (system && command->systemMenu != SystemMenu::Lists))
        return false;
    if (IsAvailable(window, *command))
        command->run();
    return true;
}

bool CommandTable::TranslateShortcut(HWND window, MSG& message) const
{
    if (m_accelerators == nullptr || (message.hwnd != window && !::IsChild(window, message.hwnd)) ||
        !::IsWindowEnabled(window))
        return false;
    return ::TranslateAcceleratorA(window, m_accelerators, &message) != 0;
}
