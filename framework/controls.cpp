#include "framework/controls.h"

#include <commctrl.h>

namespace {

// Reads an item text of a list or drop-down list whole: its length is asked
// first, so no item is ever cut or overruns the buffer.
std::string ReadItemText(const CWnd& control, UINT lengthMessage, UINT textMessage, int index)
{
    const LRESULT length = control.SendMessage(lengthMessage, static_cast<WPARAM>(index));
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = control.SendMessage(textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

}  // namespace

void CEdit::EnsureShownText(const char* text) const
{
    // Setting a text clears the edit's modified flag; typing sets it. The
    // flag is the edit's own, asked first: under Wine the focus is a round
    // trip to its server, which a refresh that changes nothing would pay
    // for every edit.
    if (SendMessage(EM_GETMODIFY) != 0 && ::GetFocus() == m_hWnd)
        return;
    EnsureWindowText(text);
}

std::string CEdit::TakeText() const
{
    SendMessage(EM_SETMODIFY, FALSE);
    return GetWindowText();
}

void CButton::EnsureCheck(int state) const
{
    if (GetCheck() != state)
        SetCheck(state);
}

void CComboBox::EnsureCurSel(int index) const
{
    if (GetCurSel() != index)
        SetCurSel(index);
}

int CComboBox::AddString(const char* text) const
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

std::string CComboBox::GetLBText(int index) const
{
    return ReadItemText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

// Read from the drop-down's own list box: the drop-down would only pass each
// question on to it, and a long list has thousands of items.
std::vector<std::string> CComboBox::GetLBTexts() const
{
    COMBOBOXINFO parts = {};
    parts.cbSize = sizeof parts;
    const CWnd items(::GetComboBoxInfo(m_hWnd, &parts) ? parts.hwndList : nullptr);
    std::vector<std::string> texts;
    const int count = static_cast<int>(items.SendMessage(LB_GETCOUNT));
    texts.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int i = 0; i < count; ++i)
        texts.push_back(ReadItemText(items, LB_GETTEXTLEN, LB_GETTEXT, i));
    return texts;
}

int CListBox::AddString(const char* text) const
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CListBox::InsertString(int index, const char* text) const
{
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

std::string CListBox::GetText(int index) const
{
    return ReadItemText(*this, LB_GETTEXTLEN, LB_GETTEXT, index);
}

void CListBox::RedrawItem(int index) const
{
    RECT item = {};
    if (SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        ::InvalidateRect(m_hWnd, &item, FALSE);
}

void CIPAddressCtrl::SetAddress(BYTE field0, BYTE field1, BYTE field2, BYTE field3) const
{
    SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(MAKEIPADDRESS(field0, field1, field2, field3)));
}

void CIPAddressCtrl::EnsureAddress(BYTE field0, BYTE field1, BYTE field2, BYTE field3) const
{
    BYTE shown[4];
    const int filled = GetAddress(shown[0], shown[1], shown[2], shown[3]);
    if (filled != 4 || shown[0] != field0 || shown[1] != field1 || shown[2] != field2 || shown[3] != field3)
        SetAddress(field0, field1, field2, field3);
}

int CIPAddressCtrl::GetAddress(BYTE& field0, BYTE& field1, BYTE& field2, BYTE& field3) const
{
    DWORD address = 0;
    const int filled = static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)));
    field0 = static_cast<BYTE>(FIRST_IPADDRESS(address));
    field1 = static_cast<BYTE>(SECOND_IPADDRESS(address));
    field2 = static_cast<BYTE>(THIRD_IPADDRESS(address));
    field3 = static_cast<BYTE>(FOURTH_IPADDRESS(address));
    return filled;
}

void CIPAddressCtrl::ClearAddress() const
{
    SendMessage(IPM_CLEARADDRESS);
}

void CDateTimeCtrl::SetFormat(const char* format) const
{
    SendMessage(DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format));
}

void CDateTimeCtrl::SetTime(const SYSTEMTIME& time) const
{
    SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

bool CDateTimeCtrl::GetTime(SYSTEMTIME& time) const
{
    return SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID;
}
