// Reading the state of a real dialog's controls, and answering the modal
// windows (message boxes, dialogs) that the code under test opens.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// A window's caption, or a control's text, whole.
std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
// The text of a drop-down list's selected item; "" when nothing is selected.
std::string SelectedItem(HWND dialog, int id);
int ItemCount(HWND dialog, int id);
std::string ItemText(HWND dialog, int id, int index);
// The address control's four fields, as a.b.c.d; "" when all are blank.
std::string AddressText(HWND dialog, int id);

// Sends what a control sends its dialog when the operator acts on it.
void Notify(HWND dialog, int id, int code);
// Selects a drop-down list's item as the operator would: selection, then
// the notification.
void ChooseItem(HWND dialog, int id, const std::string& text);
void TypeText(HWND dialog, int id, const std::string& text);  // then EN_KILLFOCUS
void Click(HWND dialog, int id);  // toggles a check box, then BN_CLICKED
// Types an address into an address control, then the field-change
// notification; returns the result code the dialog set.
LRESULT TypeAddress(HWND dialog, int id, BYTE b0, BYTE b1, BYTE b2, BYTE b3);

// Handles what is waiting in this thread's queue: the dialog manager posts
// some of its reactions (the close box's IDCANCEL among them).
void PumpPendingMessages();

// Waits on a thread of its own for a top-level window of this process with
// the given caption, then runs `answer` on it there. Modal windows run their
// loops on the test's thread, so this is how a test operates them.
class ModalAnswerer {
public:
    ModalAnswerer(std::string caption, std::function<void(HWND)> answer);
    ~ModalAnswerer();  // waits for the thread; gives up after the bound
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    bool Answered() const { return m_answered; }

private:
    const std::string m_caption;
    std::function<void(HWND)> m_answer;
    std::atomic<bool> m_answered{false};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Lives as long as a test that may open modal windows: any modal window of
// this process that no ModalAnswerer waits for and that is still up after
// an answer would have come is answered with Cancel, and the running test
// fails. A regression that opens one would otherwise hang the test program
// until its time runs out, and every later result with it.
class UnexpectedModalGuard {
public:
    UnexpectedModalGuard();
    ~UnexpectedModalGuard();
    UnexpectedModalGuard(const UnexpectedModalGuard&) = delete;
    UnexpectedModalGuard& operator=(const UnexpectedModalGuard&) = delete;

private:
    void Watch();

    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// The text of a message box, and a click on one of its buttons (or of any
// dialog's push button): the command the button sends, posted, since the
// window runs its loop on another thread.
std::string MessageBoxText(HWND box);
// The icon a message box shows; null when it shows none.
HICON MessageBoxIcon(HWND box);
void PressButton(HWND window, int id);

// A list box's items, and its selected item's index (-1 when none is).
int ListBoxCount(HWND dialog, int id);
std::string ListBoxText(HWND dialog, int id, int index);
int ListBoxSelection(HWND dialog, int id);
// Selects a list box's item as the operator's click would: selection, then
// the notification.
void ChooseListBoxItem(HWND dialog, int id, int index);

// Types a path into an open or save dialog's file-name field and presses
// its Open or Save button, as the operator would.
void ChooseFileName(HWND fileDialog, const std::string& path);
// Types into the field that has the focus, the file name's when the dialog
// opens, as the operator's keys would; then presses Open or Save, and Cancel
// for a name the dialog does not take.
void TypeFileName(HWND fileDialog, const std::string& keys);
