// The "Server History" dialog: the history's events in a list, newest last,
// growing while it is open; the selected rows, or all of them, copied as
// the log's lines.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "history/server_history.h"

class CServerHistoryDlg : public CDialog {
public:
    CServerHistoryDlg(ServerHistory& history, CWnd* parent);
    ~CServerHistoryDlg() override;

protected:
    BOOL OnInitDialog() override;
    MessageTable GetMessageTable() const override;

    void OnGetDispInfo(NMHDR* header, LRESULT* result);
    void OnListKeyDown(NMHDR* header, LRESULT* result);
    void OnCopy();
    void OnSize();
    void OnDestroy();

private:
    void AddColumns() const;
    void ShowChanges();
    std::vector<int> SelectedRows() const;
    void MoveSelectionUp(const std::vector<int>& selected, int focused, int rows) const;
    void FitDetailsColumn() const;
    std::string SelectedRowsText() const;

    ServerHistory& m_history;
    HWND m_list = nullptr;
    std::size_t m_droppedShown = 0;  // the store's dropped events the rows know of
    // Where the controls sit as the template has them, and the client size
    // they were laid out for: the list keeps its margins, the buttons their
    // distance from the lower right corner.
    SIZE m_templateClient = {};
    RECT m_templateRects[3] = {};
};
