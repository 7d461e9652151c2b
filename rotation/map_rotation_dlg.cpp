#include "rotation/map_rotation_dlg.h"

#include <commdlg.h>

#include <vector>

#include "content/map_catalogue.h"
#include "framework/file_contents.h"
#include "framework/file_dialog.h"
#include "res/resource.h"
#include "rotation/rotation_file.h"
#include "servers/server_manager.h"
#include "servers/text_compare.h"

namespace {

const char kNewRotationText[] = "[new rotation file]";
const char kNotWrittenCaption[] = "Rotation Not Saved";

ServerConfig* CurrentServer()
{
    return g_serverManager != nullptr ? g_serverManager->Current() : nullptr;
}

std::vector<std::string> ItemTexts(const CListBox& list)
{
    std::vector<std::string> texts;
    const int count = list.GetCount();
    for (int i = 0; i < count; ++i)
        texts.push_back(list.GetText(i));
    return texts;
}

}  // namespace

CMapRotationDlg::CMapRotationDlg(CWnd* parent) : CDialog(IDD_MAPROTATION, parent) {}

CMapRotationDlg::~CMapRotationDlg() = default;

void CMapRotationDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ROTATION_PATH, m_path);
    DDX_Control(dx, IDC_ROTATION_ENTRIES, m_entries);
    DDX_Control(dx, IDC_ROTATION_MAP, m_maps);
    DDX_Control(dx, IDC_ROTATION_GAMEMODE, m_gameModes);
}

MessageTable CMapRotationDlg::GetMessageTable() const
{
    static const MessageEntry entries[] = {
        msg::SelChange(IDC_ROTATION_GAMEMODE, &CMapRotationDlg::OnGameModeChanged),
        msg::Clicked(IDC_ROTATION_ADD, &CMapRotationDlg::OnAddEntry),
        msg::Clicked(IDC_ROTATION_REMOVE, &CMapRotationDlg::OnRemoveEntry),
        msg::Clicked(IDC_ROTATION_UP, &CMapRotationDlg::OnMoveEntryUp),
        msg::Clicked(IDC_ROTATION_DOWN, &CMapRotationDlg::OnMoveEntryDown),
    };
    return MakeMessageTable(entries);
}

// A file that cannot be read leaves the list empty, without a word.
BOOL CMapRotationDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (const ServerConfig* server = CurrentServer()) {
        if (server->rotationFile[0] != '\0') {
            m_path.SetWindowText(server->rotationFile);
            for (const std::string& entry : ReadRotation(server->rotationFile))
                m_entries.AddString(entry.c_str());
        } else {
            m_path.SetWindowText(kNewRotationText);
        }
    }
    m_gameModes.SetCurSel(0);
    OnGameModeChanged();
    return TRUE;
}

// The mode here only picks the maps to add: the server's own game mode is
// the admin window's to set, so a look at the rotation never changes it.
void CMapRotationDlg::OnGameModeChanged()
{
    if (CurrentServer() == nullptr)
        return;
    const std::string keyword = m_gameModes.GetLBText(m_gameModes.GetCurSel());
    const int previousIndex = m_maps.GetCurSel();
    const std::string previousMap = m_maps.GetLBText(previousIndex);
    ListMapsForMode(keyword.c_str(), m_maps);
    m_maps.SetCurSel(0);
    if (previousIndex >= 0)
        SelectMapNamed(previousMap);
}

void CMapRotationDlg::SelectMapNamed(const std::string& name) const
{
    const int count = m_maps.GetCount();
    for (int i = 0; i < count; ++i) {
        if (EqualNoCase(m_maps.GetLBText(i).c_str(), name.c_str())) {
            m_maps.SetCurSel(i);
            return;
        }
    }
}

void CMapRotationDlg::OnAddEntry()
{
    const int mode = m_gameModes.GetCurSel();
    const int map = m_maps.GetCurSel();
    if (mode < 0 || map < 0)
        return;
    const std::string entry = m_gameModes.GetLBText(mode) + "\\" + m_maps.GetLBText(map);
    // A list out of memory answers with a negative index, which selects nothing.
    m_entries.SetCurSel(m_entries.AddString(entry.c_str()));
}

// The list box drops the selection with the selected item, so a second
// "Remove" finds nothing to remove.
void CMapRotationDlg::OnRemoveEntry()
{
    const int selected = m_entries.GetCurSel();
    if (selected != LB_ERR)
        m_entries.DeleteString(selected);
}

// The first entry wraps around to the last place.
void CMapRotationDlg::OnMoveEntryUp()
{
    const int selected = m_entries.GetCurSel();
    if (selected == LB_ERR)
        return;
    const std::string entry = m_entries.GetText(selected);
    m_entries.DeleteString(selected);
    const int target = selected > 0 ? selected - 1 : m_entries.GetCount();
    m_entries.SetCurSel(m_entries.InsertString(target, entry.c_str()));
}

// The last entry wraps around to the first place.
void CMapRotationDlg::OnMoveEntryDown()
{
    const int selected = m_entries.GetCurSel();
    if (selected == LB_ERR)
        return;
    const std::string entry = m_entries.GetText(selected);
    m_entries.DeleteString(selected);
    const int left = m_entries.GetCount();
    const int target = selected == left ? 0 : selected + 1;
    m_entries.SetCurSel(m_entries.InsertString(target, entry.c_str()));
}

// The path reaches the record only once the file is written, so a rotation
// that could not be saved leaves the record as it was, and the editor stays
// open with every entry for another try.
void CMapRotationDlg::OnOK()
{
    ServerConfig* server = CurrentServer();
    if (server == nullptr) {
        CDialog::OnOK();
        return;
    }
    std::string path = server->rotationFile;
    if (path.empty()) {
        path = AskForNewRotationFile();
        if (path.empty())
            return;
    }
    std::string failure;
    if (!WriteRotation(path.c_str(), ItemTexts(m_entries), failure)) {
        ReportNotWritten(path, failure);
        return;
    }
    CopyText(server->rotationFile, path.c_str());
    CDialog::OnOK();
}

// Empty when the operator cancelled. A path too long for the record is
// refused the same way, rather than cut into the name of some other file.
// The working directory is left alone: the map lists and the server launch
// depend on it.
std::string CMapRotationDlg::AskForNewRotationFile()
{
    CFileDialog dialog(false, kRotationFileExtension, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                       kRotationFileFilter, this, kLongestRotationPath);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : std::string();
}

void CMapRotationDlg::ReportNotWritten(const std::string& path, const std::string& failure) const
{
    const std::string text = FileFailureMessage("The rotation file could not be written", path, failure);
    MessageBox(text.c_str(), kNotWrittenCaption, MB_OK | MB_ICONERROR);
}
