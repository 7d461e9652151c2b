#include "framework/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "framework/win_app.h"
#include "framework/wnd.h"

namespace {
// Room for paths longer than any text field, so that a caller can see a long
// path whole and refuse it rather than get it cut.
constexpr DWORD kPathBufferSize = 32768;
}

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_open(openFileDialog),
      m_defaultExtension(defaultExtension != nullptr ? defaultExtension : ""),
      m_fileName(fileName != nullptr ? fileName : ""),
      m_flags(flags),
      m_filter(filter != nullptr ? filter : ""),
      m_parent(parent != nullptr ? parent->GetSafeHwnd() : nullptr)
{
    for (char& c : m_filter) {
        if (c == '|')
            c = '\0';
    }
    m_filter.push_back('\0');
}

INT_PTR CFileDialog::DoModal()
{
    std::vector<char> path(kPathBufferSize, '\0');
    m_fileName.copy(path.data(), path.size() - 1);

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = ModalOwner(m_parent);
    ofn.lpstrFilter = m_filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = kPathBufferSize;
    ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    ofn.Flags = m_flags;

    const BOOL chosen = m_open ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (!chosen)
        return IDCANCEL;
    m_path = path.data();
    return IDOK;
}
