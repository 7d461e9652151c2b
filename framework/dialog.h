// A dialog run from its resource template: modally for the program, or
// modeless (tests drive the real window that way). The dialog object travels
// to the window through the creation parameter and stays in DWLP_USER.
//
// A modal dialog belongs to its parent or, constructed without one, to the
// application's main window; that window takes no input while the dialog is
// open. A dialog whose template leaves its position open is centred over its
// owner when it opens, unless its OnInitDialog has placed it.
//
// A dialog with a command table lists its commands in its menus at
// initialisation, and routes through the table the commands its menu items,
// shortcuts and buttons send (WM_COMMAND) and those of its system menu
// (WM_SYSCOMMAND); the menus enable each item as the table says when they
// open. While a dialog runs modally, each message of its loop, and of the
// loops nested in it, is first offered to the top-level dialog it is aimed
// at (PreTranslateMessage), which turns the table's shortcuts into commands.
//
// No exception leaves the dialog procedure: what a handler throws is
// reported in a message box owned by the dialog, and the dialog goes on. A
// dialog whose initialisation throws is closed again with IDCANCEL.
#pragma once

#include <windows.h>

#include <exception>

#include "framework/message_table.h"
#include "framework/wnd.h"

class CDialog;
class CommandTable;

// Handed to DoDataExchange while the window initialises.
class CDataExchange {
public:
    explicit CDataExchange(CDialog& dialog) : m_dialog(dialog) {}
    CDialog& Dialog() const { return m_dialog; }

private:
    CDialog& m_dialog;
};

// Binds a member control object to the dialog's control of that identifier.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog in its own modal loop; returns the code it ended with,
    // or -1 when the window could not be created. Its owner is disabled for
    // the run, and enabled and activated again at its end.
    INT_PTR DoModal();
    // Creates the window without a loop of its own; false when that failed.
    // The program runs every dialog modally; the modeless form is the dialog
    // class's other half, through which tests and benchmarks drive the real
    // windows from their own loop.
    bool Create(HWND parent = nullptr);
    // Ends a modal run, or destroys a modeless window, with this code.
    void EndDialog(INT_PTR result);
    // The code a modeless window ended with; 0 while it has not ended.
    INT_PTR ModelessResult() const { return m_result; }
    // Given each message aimed at the window or its controls before it is
    // dispatched; true when it was handled here and must not be. Here: the
    // shortcuts of the command table.
    virtual bool PreTranslateMessage(MSG& message);

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual MessageTable GetMessageTable() const;
    // Null here: the dialog has no commands beyond its message table.
    virtual const CommandTable* GetCommandTable() const;
    // Called once an action is over, with the message it began with: after a
    // message that reached a handler (the command table's, the message
    // table's, OnOK or OnCancel) while no other message of this dialog was
    // being handled in the same message loop. A notification that a handler
    // causes (a control changed in a refresh) is part of that handler's
    // action; a message that a modal loop dispatches while a handler waits
    // for it (a tick under an open box) is an action of its own. Not called
    // after a handler that failed. Does nothing here.
    virtual void OnAfterOutermostMessage(UINT message);

    // Called from a handler: lets the system's default processing handle the
    // message as well.
    void Default() { m_wantDefault = true; }

    // While one of these lives, the dialog's control notifications reach no
    // handler: the program is changing the controls, not the operator.
    class MuteNotifications {
    public:
        explicit MuteNotifications(CDialog& dialog) : m_dialog(dialog), m_wasMuted(dialog.m_muted)
        {
            dialog.m_muted = true;
        }
        ~MuteNotifications() { m_dialog.m_muted = m_wasMuted; }
        MuteNotifications(const MuteNotifications&) = delete;
        MuteNotifications& operator=(const MuteNotifications&) = delete;

    private:
        CDialog& m_dialog;
        bool m_wasMuted;
    };

private:
    // Catches std::exception and what derives from it, all that the program
    // and the standard library throw. Anything else is no failure it knows
    // how to report: it ends the program here rather than unwind through
    // the system's frames.
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // The dialog manager's modal loop translates no shortcuts; its message
    // filter hook, while some dialog runs modally on the thread, hands each
    // message to the dialog it is aimed at.
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) noexcept;
    class MessageFilterHook;
    // The dialog whose window this is, when it is one of ours.
    static CDialog* FromHandle(HWND hwnd);
    BOOL Initialise(HWND hwnd);
    void CentreUnlessPlaced(const RECT& before) const;
    bool TemplateLeavesPositionOpen() const;
    INT_PTR HandleCountingNesting(UINT message, WPARAM wParam, LPARAM lParam);
    // Sets reachedHandler when a handler of the dialog took the message.
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& reachedHandler);
    INT_PTR Recover(UINT message, const std::exception& failure);
    enum class FailedStep { Opening, Action };
    void ReportFailure(FailedStep step, const std::exception& failure);
    void LoadListItems() const;
    const MessageEntry* FindEntry(UINT message, UINT code, UINT id) const;
    INT_PTR Dispatch(const MessageEntry& entry, WPARAM wParam, LPARAM lParam);
    // A command of the table, given from a menu, a shortcut or a button.
    bool RunCommand(UINT message, WPARAM wParam, LPARAM lParam) const;

    UINT m_templateId;
    HWND m_parent;
    bool m_modal = false;
    bool m_wantDefault = false;
    bool m_muted = false;
    bool m_reportingFailure = false;
    // The modal loop (ModalLoop::Depth) of the innermost message being
    // handled; -1 while none is.
    int m_innermostMessageLoop = -1;
    INT_PTR m_result = 0;
};
