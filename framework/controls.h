// Non-owning wrappers of the standard controls, bound to a dialog's controls
// by DDX_Control. Texts are read whole, however long. Like CWnd's, the
// Ensure setters change a control only when it shows something else.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/wnd.h"

class CEdit : public CWnd {
public:
    // As EnsureWindowText, except while the operator is typing: an edit that
    // has the focus and was changed since its text was last shown or taken
    // keeps what is being typed.
    void EnsureShownText(const char* text) const;
    // The text, taken into the program's data: the edit counts as unchanged
    // again, so that EnsureShownText shows the data's text once more, also
    // when the operator comes back to the edit.
    std::string TakeText() const;
};

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
    void EnsureCheck(int state) const;
};

class CComboBox : public CWnd {
public:
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    int AddString(const char* text) const;
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    void EnsureCurSel(int index) const;
    // The item's text; empty for an index that holds no item.
    std::string GetLBText(int index) const;
    // Every item's text, in list order.
    std::vector<std::string> GetLBTexts() const;
};

class CListBox : public CWnd {
public:
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
    int AddString(const char* text) const;
    int InsertString(int index, const char* text) const;
    int DeleteString(int index) const
    {
        return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(index)));
    }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    // The item's text; empty for an index that holds no item.
    std::string GetText(int index) const;
    LPARAM GetItemData(int index) const { return SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
    void SetItemData(int index, LPARAM data) const
    {
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), data);
    }
    // An owner-drawn list's items: each this many pixels high.
    void SetItemHeight(int height) const { SendMessage(LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0)); }
    // Has the item drawn again, and nothing else of the list.
    void RedrawItem(int index) const;
};

class CIPAddressCtrl : public CWnd {
public:
    void SetAddress(BYTE field0, BYTE field1, BYTE field2, BYTE field3) const;
    // Also fills blank fields, so the four are always shown.
    void EnsureAddress(BYTE field0, BYTE field1, BYTE field2, BYTE field3) const;
    // Returns the number of fields that are not blank; a blank field reads 0.
    int GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const;
    void ClearAddress() const;
};

// A date-and-time picker (SysDateTimePick32).
class CDateTimeCtrl : public CWnd {
public:
    // A picture such as "HH:mm", in the picker's format letters.
    void SetFormat(const char* format) const;
    void SetTime(const SYSTEMTIME& time) const;
    // False when the picker holds no time.
    bool GetTime(SYSTEMTIME& time) const;
};
