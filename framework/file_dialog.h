// The common file-open and file-save dialogs.
#pragma once

#include <windows.h>

#include <commdlg.h>  // the OFN_ flags callers pass

#include <cstddef>
#include <string>

class CWnd;

// The longest full path that the system's own file functions take.
inline constexpr std::size_t kLongestSystemPath = MAX_PATH - 1;

// The name box of an open or save dialog that is showing: the edit in which
// the file name is typed. Null when there is none.
HWND FileDialogNameBox(HWND fileDialog);

class CFileDialog {
public:
    // filter: "|"-separated pairs of description and pattern, ending "||".
    // parent: the window the dialog belongs to; without one, the
    // application's main window.
    // longestPath: the longest full path the caller can take. Under Wine the
    // name box takes one character more than fits with the folder shown and
    // the default extension, and no more, so that no typed name can overrun
    // the dialog's own buffers. On Windows the system's current dialog
    // shows, without a limit of ours, and a longer path is refused once
    // chosen. Under Wine the dialog opens centred over its owner; Windows
    // places its own.
    CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                const char* filter, CWnd* parent, std::size_t longestPath = kLongestSystemPath);

    // IDOK when a file was chosen, IDCANCEL when the dialog was cancelled or
    // failed, and when what was chosen is refused: a path longer than the
    // longest, or a name that filled the name box, which may have been cut
    // there into the name of some other file.
    INT_PTR DoModal();
    // The full path of the chosen file.
    std::string GetPathName() const { return m_path; }

private:
    bool m_open;
    std::string m_defaultExtension;
    std::string m_fileName;
    DWORD m_flags;
    std::string m_filter;  // zero-separated, as the common dialog wants it
    HWND m_parent;
    std::size_t m_longestPath;
    std::string m_path;
};
