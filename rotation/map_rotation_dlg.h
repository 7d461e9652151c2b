// The editor of the current server's map rotation: the entries, game mode
// and map, in the order the server plays them, saved to the server's
// rotation file on OK.
#pragma once

#include <cstddef>
#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "servers/server_config.h"

// What the file dialogs that name rotation files offer.
inline constexpr char kRotationFileExtension[] = "map";
inline constexpr char kRotationFileFilter[] = "Map Rotation Files (*.map)|*.map|All Files (*.*)|*.*||";
// The longest path the server's record holds.
inline constexpr std::size_t kLongestRotationPath = kTextSize - 1;

class CMapRotationDlg : public CDialog {
public:
    explicit CMapRotationDlg(CWnd* parent);
    ~CMapRotationDlg() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    MessageTable GetMessageTable() const override;

    void OnGameModeChanged();
    void OnAddEntry();
    void OnRemoveEntry();
    void OnMoveEntryUp();
    void OnMoveEntryDown();

private:
    void SelectMapNamed(const std::string& name) const;
    std::string AskForNewRotationFile();
    // Names the file and says why.
    void ReportNotWritten(const std::string& path, const std::string& failure) const;

    CEdit m_path;
    CListBox m_entries;
    CComboBox m_maps;
    CComboBox m_gameModes;
};
