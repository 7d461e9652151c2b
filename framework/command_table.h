// A window's commands, each written once as a row: the identifier that its
// menu items, its shortcut and its button (when it has one) send, its text,
// its shortcut, where the menus list it, what it does and when it can. The
// menu bar, the system menu, the shortcuts and the enabling of menu items
// all read the rows, so a command does the same whichever way it is given.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A virtual key and its modifiers (FCONTROL, FSHIFT, FALT); key 0: none.
struct Shortcut {
    BYTE modifiers = 0;
    WORD key = 0;
};

// "Ctrl+Shift+S", "Alt+F4"; empty for none.
std::string ShortcutText(Shortcut shortcut);

// A separator before the command, in a popup unless it comes first there.
enum class Separator : bool { None, Before };
// The system menu lists the command too, after the system's own items and
// a separator.
enum class SystemMenu : bool { Omits, Lists };

struct Command {
    // Also a system command when the system menu lists it: then a multiple
    // of 16 below 0xF000.
    UINT id;
    // A string resource: the text with its access key. 0 for a command that
    // a control of the window gives as well: it reads as the control does.
    UINT textId;
    Shortcut shortcut;
    // The menu bar's popup that lists it, by the identifier its template
    // gives the popup; 0: none.
    UINT popup;
    Separator separator;
    SystemMenu systemMenu;
    std::function<void()> run;
    // Empty: available while the window's control of the same identifier is
    // enabled, and always when the window has none.
    std::function<bool()> available = {};
};

class CommandTable {
public:
    explicit CommandTable(std::vector<Command> commands);
    ~CommandTable();
    CommandTable(const CommandTable&) = delete;
    CommandTable& operator=(const CommandTable&) = delete;

    // Lists the commands in the window's menu bar and system menu. The
    // popups of the menu bar's template hold nothing of their own; a popup
    // that lists no command is taken out.
    void Install(HWND window) const;
    // Enables each item of the popup, the system menu too, whose command is
    // available, and greys the others; items of no command stay as they are.
    void EnableItems(HWND window, HMENU popup) const;
    // Runs the command of this identifier when it is available; false when
    // the table has none (with `system`, none the system menu lists).
    bool Run(HWND window, UINT id, bool system) const;
    // Turns a key pressed in the window or one of its controls into its
    // command while the window is enabled; true when it did. Keys aimed at
    // other windows, a modal box over it among them, are left alone.
    bool TranslateShortcut(HWND window, MSG& message) const;

private:
    const Command* Find(UINT id) const;
    bool IsAvailable(HWND window, const Command& command) const;
    std::string ItemText(HWND window, const Command& command) const;
    void FillPopup(HWND window, HMENU popup, UINT popupId) const;

    std::vector<Command> m_commands;
    HACCEL m_accelerators = nullptr;
};
