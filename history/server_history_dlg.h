// The "Server History" dialog: the history's events in a list, newest last,
// growing while it is open; the selected rows, or all of them, copied as
// the log's lines.
#pragma once

#include <string>

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
    void ShowNewest() const;
    std::string SelectedRowsText() const;

    ServerHistory& m_history;
    HWND m_list = nullptr;
    // Where the controls sit as the template has them, and the client size
    // they were laid out for: the list keeps its margins, the buttons their
    // distance from the lower right corner.
    SIZE m_templateClient = {};
    RECT m_templateRects[3] = {};
};
