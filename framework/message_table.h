// A dialog's message table: each entry maps one message (and, for commands
// and notifications, one control identifier and one notification code; for
// an owner-drawn control's drawing, its identifier) to one member function
// of the dialog.
#pragma once

#include <windows.h>

#include <cstddef>

class CDialog;

enum class HandlerKind : unsigned char {
    Command,        // void ()                        WM_COMMAND
    Notify,         // void (NMHDR*, LRESULT*)        WM_NOTIFY
    Timer,          // void (UINT_PTR id)             WM_TIMER
    SysCommand,     // void (UINT id, LPARAM lParam)  WM_SYSCOMMAND
    Paint,          // void ()                        WM_PAINT
    QueryDragIcon,  // HCURSOR ()                     WM_QUERYDRAGICON
    Destroy,        // void ()                        WM_DESTROY
    Message,        // void ()                        a message of the program's own
    DrawItem,       // void (const DRAWITEMSTRUCT&)   WM_DRAWITEM
    Size,           // void ()                        WM_SIZE
};

// A handler, as a member of CDialog; `kind` tells which member is set.
union DialogHandler {
    void (CDialog::*plain)();
    void (CDialog::*notify)(NMHDR*, LRESULT*);
    void (CDialog::*timer)(UINT_PTR);
    void (CDialog::*sysCommand)(UINT, LPARAM);
    HCURSOR (CDialog::*queryDragIcon)();
    void (CDialog::*drawItem)(const DRAWITEMSTRUCT&);
};

struct MessageEntry {
    UINT message;
    UINT code;  // notification code, for WM_COMMAND and WM_NOTIFY
    UINT id;    // control identifier, for WM_COMMAND, WM_NOTIFY and WM_DRAWITEM
    HandlerKind kind;
    DialogHandler handler;
};

struct MessageTable {
    const MessageEntry* entries;
    std::size_t count;
};

template <std::size_t N>
MessageTable MakeMessageTable(const MessageEntry (&entries)[N])
{
    return MessageTable{entries, N};
}

// Entry builders; T is the dialog class that owns the handler.
namespace msg {

inline MessageEntry Entry(UINT message, UINT code, UINT id, HandlerKind kind)
{
    MessageEntry entry{message, code, id, kind, {}};
    return entry;
}

template <class T>
MessageEntry Command(UINT code, UINT id, void (T::*handler)())
{
    MessageEntry entry = Entry(WM_COMMAND, code, id, HandlerKind::Command);
    entry.handler.plain = static_cast<void (CDialog::*)()>(handler);
    return entry;
}

template <class T>
MessageEntry Clicked(UINT id, void (T::*handler)())
{
    return Command(BN_CLICKED, id, handler);
}

template <class T>
MessageEntry SelChange(UINT id, void (T::*handler)())  // drop-down list
{
    return Command(CBN_SELCHANGE, id, handler);
}

template <class T>
MessageEntry EditChange(UINT id, void (T::*handler)())  // drop-down list
{
    return Command(CBN_EDITCHANGE, id, handler);
}

template <class T>
MessageEntry ListSelChange(UINT id, void (T::*handler)())  // list box
{
    return Command(LBN_SELCHANGE, id, handler);
}

template <class T>
MessageEntry KillFocus(UINT id, void (T::*handler)())  // edit
{
    return Command(EN_KILLFOCUS, id, handler);
}

template <class T>
MessageEntry Change(UINT id, void (T::*handler)())  // edit
{
    return Command(EN_CHANGE, id, handler);
}

template <class T>
MessageEntry Notify(UINT code, UINT id, void (T::*handler)(NMHDR*, LRESULT*))
{
    MessageEntry entry = Entry(WM_NOTIFY, code, id, HandlerKind::Notify);
    entry.handler.notify = static_cast<void (CDialog::*)(NMHDR*, LRESULT*)>(handler);
    return entry;
}

template <class T>
MessageEntry Timer(void (T::*handler)(UINT_PTR))
{
    MessageEntry entry = Entry(WM_TIMER, 0, 0, HandlerKind::Timer);
    entry.handler.timer = static_cast<void (CDialog::*)(UINT_PTR)>(handler);
    return entry;
}

template <class T>
MessageEntry SysCommand(void (T::*handler)(UINT, LPARAM))
{
    MessageEntry entry = Entry(WM_SYSCOMMAND, 0, 0, HandlerKind::SysCommand);
    entry.handler.sysCommand = static_cast<void (CDialog::*)(UINT, LPARAM)>(handler);
    return entry;
}

template <class T>
MessageEntry Paint(void (T::*handler)())
{
    MessageEntry entry = Entry(WM_PAINT, 0, 0, HandlerKind::Paint);
    entry.handler.plain = static_cast<void (CDialog::*)()>(handler);
    return entry;
}

template <class T>
MessageEntry QueryDragIcon(HCURSOR (T::*handler)())
{
    MessageEntry entry = Entry(WM_QUERYDRAGICON, 0, 0, HandlerKind::QueryDragIcon);
    entry.handler.queryDragIcon = static_cast<HCURSOR (CDialog::*)()>(handler);
    return entry;
}

template <class T>
MessageEntry Destroy(void (T::*handler)())
{
    MessageEntry entry = Entry(WM_DESTROY, 0, 0, HandlerKind::Destroy);
    entry.handler.plain = static_cast<void (CDialog::*)()>(handler);
    return entry;
}

// An owner-drawn control's item to draw.
template <class T>
MessageEntry DrawItem(UINT id, void (T::*handler)(const DRAWITEMSTRUCT&))
{
    MessageEntry entry = Entry(WM_DRAWITEM, 0, id, HandlerKind::DrawItem);
    entry.handler.drawItem = static_cast<void (CDialog::*)(const DRAWITEMSTRUCT&)>(handler);
    return entry;
}

// The window's new size, read from the window itself.
template <class T>
MessageEntry Size(void (T::*handler)())
{
    MessageEntry entry = Entry(WM_SIZE, 0, 0, HandlerKind::Size);
    entry.handler.plain = static_cast<void (CDialog::*)()>(handler);
    return entry;
}

// A message the program sends or posts to itself (WM_APP and up); its
// parameters carry nothing.
template <class T>
MessageEntry Message(UINT message, void (T::*handler)())
{
    MessageEntry entry = Entry(message, 0, 0, HandlerKind::Message);
    entry.handler.plain = static_cast<void (CDialog::*)()>(handler);
    return entry;
}

}  // namespace msg
