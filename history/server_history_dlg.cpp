#include "history/server_history_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "framework/clipboard.h"
#include "res/resource.h"

namespace {

const int kResizedIds[] = {IDC_HISTORY_LIST, IDC_HISTORY_COPY, IDCANCEL};

struct Column {
    const char* title;
    int widthDialogUnits;
};

// The details take the width the others leave, at least this much.
const Column kColumns[] = {{"Time", 105}, {"Server", 60}, {"Event", 50}, {"Details", 60}};
constexpr int kDetailsColumn = 3;

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
    m_droppedShown = m_history.Store().DroppedEvents();
    ShowChanges();
    m_history.onChange = [this] { ShowChanges(); };
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

// A new row is scrolled into view only when the last one was in view, so
// that rows the operator is reading stay where they are. When the oldest
// events were let go, every row moved up by as many, and the selection and
// the view move with the events.
void CServerHistoryDlg::ShowChanges()
{
    const HistoryStore& store = m_history.Store();
    const int count = static_cast<int>(store.Size());
    const bool lastInView =
        ListView_GetTopIndex(m_list) + ListView_GetCountPerPage(m_list) >= ListView_GetItemCount(m_list);
    const int moved = static_cast<int>(store.DroppedEvents() - m_droppedShown);
    m_droppedShown = store.DroppedEvents();
    const std::vector<int> selected = SelectedRows();
    const int focused = ListView_GetNextItem(m_list, -1, LVNI_FOCUSED);
    ListView_SetItemCountEx(m_list, count, LVSICF_NOSCROLL);
    if (moved > 0)
        MoveSelectionUp(selected, focused, moved);
    if (lastInView && count > 0) {
        ListView_EnsureVisible(m_list, count - 1, FALSE);
    } else if (moved > 0) {
        RECT row = {};
        ListView_GetItemRect(m_list, 0, &row, LVIR_BOUNDS);
        ListView_Scroll(m_list, 0, -moved * (row.bottom - row.top));
    }
    // Rows that moved up are drawn again; a scroll bar may have come.
    ::InvalidateRect(m_list, nullptr, FALSE);
    FitDetailsColumn();
}

std::vector<int> CServerHistoryDlg::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(m_list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_list, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

// Rows that moved out at the top lose their selection with their events.
void CServerHistoryDlg::MoveSelectionUp(const std::vector<int>& selected, int focused, int rows) const
{
    ListView_SetItemState(m_list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (const int row : selected) {
        if (row >= rows)
            ListView_SetItemState(m_list, row - rows, LVIS_SELECTED, LVIS_SELECTED);
    }
    if (focused >= rows)
        ListView_SetItemState(m_list, focused - rows, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CServerHistoryDlg::FitDetailsColumn() const
{
    RECT minimum = {0, 0, kColumns[kDetailsColumn].widthDialogUnits, 0};
    ::MapDialogRect(m_hWnd, &minimum);
    RECT list = {};
    ::GetClientRect(m_list, &list);
    int left = list.right;
    for (int i = 0; i < kDetailsColumn; ++i)
        left -= ListView_GetColumnWidth(m_list, i);
    ListView_SetColumnWidth(m_list, kDetailsColumn, std::max(left, static_cast<int>(minimum.right)));
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
    const std::vector<int> selected = SelectedRows();
    if (selected.empty()) {
        for (std::size_t i = 0; i < store.Size(); ++i)
            text += HistoryLine(store.At(i));
    }
    for (const int row : selected) {
        if (static_cast<std::size_t>(row) < store.Size())
            text += HistoryLine(store.At(static_cast<std::size_t>(row)));
    }
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
    FitDetailsColumn();
}
