// The common file-open and file-save dialogs.
#pragma once

#include <windows.h>

#include <commdlg.h>  // the OFN_ flags callers pass

#include <string>

class CWnd;

class CFileDialog {
public:
    // filter: "|"-separated pairs of description and pattern, ending "||".
    // parent: the window the dialog belongs to; without one, the
    // application's main window.
    CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                const char* filter, CWnd* parent);

    // IDOK when a file was chosen, IDCANCEL when the dialog was cancelled or
    // failed (a chosen path too long for the dialog's buffer among others).
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
    std::string m_path;
};
