#include "history/server_history_dlg.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/clipboard.h"
#include "res/resource.h"

namespace {

const int kResizedIds[] = {IDC_HISTORY_LIST, IDC_HISTORY_COPY, IDCANCEL};

struct Column {
    const char* title;
    int widthDialogUnits;
};

const Column kColumns[] = {{"Time", 105}, {"Server", 60}, {"Event", 50}, {"Details", 240}};

const std::string& FieldOf(const HistoryEntry& entry, int column)
{
    switch (column) {
    case 0:
        return entry.time;
    case 1:
        return entry.server;
    case 2:
        return entry.event;
    default:
        return entry.details;
    }
}

RECT RectInParent(HWND control, HWND parent)
{
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

CServerHistoryDlg::CServerHistoryDlg(ServerHistory& history, CWnd* parent)
    : CDialog(IDD_SERVERHISTORY, parent), m_history(history)
{
}

CServerHistoryDlg::~CServerHistoryDlg() = default;

MessageTable CServerHistoryDlg::GetMessageTable() const
{
    static const MessageEntry entries[] = {
        msg::Notify(LVN_GETDISPINFOA, IDC_HISTORY_LIST, &CServerHistoryDlg::OnGetDispInfo),
        msg::Notify(LVN_KEYDOWN, IDC_HISTORY_LIST, &CServerHistoryDlg::OnListKeyDown),
        msg::Clicked(IDC_HISTORY_COPY, &CServerHistoryDlg::OnCopy),
        msg::Message(WM_SIZE, &CServerHistoryDlg::OnSize),
        msg::Destroy(&CServerHistoryDlg::OnDestroy),
    };
    return MakeMessageTable(entries);
}

BOOL CServerHistoryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list = GetDlgItem(IDC_HISTORY_LIST);
    const RECT client = GetClientRect();
    m_templateClient = {client.right, client.bottom};
    for (int i = 0; i < 3; ++i)
        m_templateRects[i] = RectInParent(GetDlgItem(kResizedIds[i]), m_hWnd);
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_FULLROWSELECT);
    AddColumns();
    ShowNewest();
    m_history.onChange = [this] { ShowNewest(); };
    return TRUE;
}

void CServerHistoryDlg::OnDestroy()
{
    m_history.onChange = nullptr;
}

void CServerHistoryDlg::AddColumns() const
{
    for (int i = 0; i < 4; ++i) {
        RECT width = {0, 0, kColumns[i].widthDialogUnits, 0};
        ::MapDialogRect(m_hWnd, &width);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(kColumns[i].title);
        column.cx = width.right;
        ::SendMessageA(m_list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

// The rows may have moved up when the oldest events were let go, so all of
// them are drawn again.
void CServerHistoryDlg::ShowNewest() const
{
    const int count = static_cast<int>(m_history.Store().Size());
    ListView_SetItemCountEx(m_list, count, LVSICF_NOSCROLL);
    if (count > 0)
        ListView_EnsureVisible(m_list, count - 1, FALSE);
}

void CServerHistoryDlg::OnGetDispInfo(NMHDR* header, LRESULT*)
{
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    const HistoryStore& store = m_history.Store();
    if ((item.mask & LVIF_TEXT) == 0 || item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= store.Size() ||
        item.cchTextMax <= 0)
        return;
    const std::string& text = FieldOf(store.At(static_cast<std::size_t>(item.iItem)), item.iSubItem);
    ::lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

void CServerHistoryDlg::OnListKeyDown(NMHDR* header, LRESULT*)
{
    if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == 'C' && ::GetKeyState(VK_CONTROL) < 0)
        OnCopy();
}

std::string CServerHistoryDlg::SelectedRowsText() const
{
    const HistoryStore& store = m_history.Store();
    std::string text;
    int row = ListView_GetNextItem(m_list, -1, LVNI_SELECTED);
    if (row < 0) {
        for (std::size_t i = 0; i < store.Size(); ++i)
            text += HistoryLine(store.At(i));
    }
    for (; row >= 0 && static_cast<std::size_t>(row) < store.Size(); row = ListView_GetNextItem(m_list, row, LVNI_SELECTED))
        text += HistoryLine(store.At(static_cast<std::size_t>(row)));
    return text;
}

void CServerHistoryDlg::OnCopy()
{
    if (!CopyTextToClipboard(m_hWnd, SelectedRowsText()))
        MessageBox("The rows could not be put on the clipboard: another program holds it, or memory ran out.",
                   GetWindowText().c_str(), MB_OK | MB_ICONERROR);
}

void CServerHistoryDlg::OnSize()
{
    if (m_list == nullptr)
        return;
    const RECT client = GetClientRect();
    const int grownX = client.right - m_templateClient.cx;
    const int grownY = client.bottom - m_templateClient.cy;
    for (int i = 0; i < 3; ++i) {
        RECT rect = m_templateRects[i];
        if (kResizedIds[i] == IDC_HISTORY_LIST) {
            rect.right = std::max(rect.left, rect.right + grownX);
            rect.bottom = std::max(rect.top, rect.bottom + grownY);
        } else {
            ::OffsetRect(&rect, grownX, grownY);
        }
        ::MoveWindow(GetDlgItem(kResizedIds[i]), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     TRUE);
    }
}
