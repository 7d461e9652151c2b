#include "framework/file_dialog.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/modal_loop.h"
#include "framework/win_app.h"
#include "framework/window_centring.h"
#include "framework/wnd.h"

namespace {
// Room for paths longer than any text field, so that a caller can see a long
// path whole and refuse it rather than get it cut.
constexpr DWORD kPathBufferSize = 32768;
// Some systems' file dialogs (Wine's among them) build the chosen path, with
// the default extension, in a buffer of MAX_PATH characters without looking
// at its length: a longer name overruns their stack.
constexpr std::size_t kLongestDialogPath = MAX_PATH - 1;

// What the hook needs to know, and what it tells; it lives on DoModal's stack.
struct NameLimit {
    std::size_t fullBoxPath;  // the path a full name box makes, with folder and extension
    std::size_t extensionLength;  // with its dot; 0 without a default extension
    bool filled;  // the name box was full when the choice was made
};

// The edit in combo box cmb13, which may sit a level deeper, in a combo
// box within an extended one.
BOOL CALLBACK FindEdit(HWND window, LPARAM found)
{
    char className[8] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, "Edit") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The folder shown with the separator after it: as long as its path with
// the terminating zero. A folder outside the file system (My Computer) may
// have no path; the dialog then builds on the current directory, and when
// that is unknown too, no name fits.
std::size_t ShownFolderWithSeparator(HWND fileDialog)
{
    LRESULT size = ::SendMessageA(fileDialog, CDM_GETFOLDERPATH, 0, 0);
    if (size <= 1)
        size = ::GetCurrentDirectoryA(0, nullptr);
    return size > 0 ? static_cast<std::size_t>(size) : kLongestDialogPath;
}

// A name typed before the folder changed is cut to the new limit: still too
// long to be taken, and no longer too long for the dialog.
void LimitNameBox(HWND fileDialog, const NameLimit& limit)
{
    const std::size_t taken = ShownFolderWithSeparator(fileDialog) + limit.extensionLength;
    // A limit of 0 would lift the limit altogether.
    const WPARAM room = taken < limit.fullBoxPath ? limit.fullBoxPath - taken : 1;
    const HWND box = FileDialogNameBox(fileDialog);
    ::SendMessageW(box, EM_LIMITTEXT, room, 0);
    if (static_cast<WPARAM>(::GetWindowTextLengthW(box)) > room) {
        ::SendMessageW(box, EM_SETSEL, room, -1);
        ::SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
}

// Without a name box there is no name that could have been cut.
bool NameBoxFull(HWND fileDialog)
{
    const HWND box = FileDialogNameBox(fileDialog);
    return box != nullptr &&
           static_cast<LRESULT>(::GetWindowTextLengthW(box)) >= ::SendMessageW(box, EM_GETLIMITTEXT, 0, 0);
}

// Wine's file dialog is the one that needs the name box limited; on Windows
// a hook would bring the older Explorer-style dialog in place of the
// current one, which refuses an overlong name itself.
bool RunningUnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Only a hook is told when the dialog is ready and when its folder changes.
UINT_PTR CALLBACK NameLimitHook(HWND hook, UINT message, WPARAM, LPARAM param)
{
    if (message != WM_NOTIFY)
        return 0;
    const OFNOTIFYA& notice = *reinterpret_cast<const OFNOTIFYA*>(param);
    NameLimit& limit = *reinterpret_cast<NameLimit*>(notice.lpOFN->lCustData);
    const HWND fileDialog = ::GetParent(hook);
    // Placed as the tool's other dialogs are: not every system centres it.
    if (notice.hdr.code == CDN_INITDONE)
        CentreWindow(fileDialog);
    if (notice.hdr.code == CDN_INITDONE || notice.hdr.code == CDN_FOLDERCHANGE)
        LimitNameBox(fileDialog, limit);
    else if (notice.hdr.code == CDN_FILEOK)
        limit.filled = NameBoxFull(fileDialog);
    return 0;
}
}  // namespace

HWND FileDialogNameBox(HWND fileDialog)
{
    HWND box = nullptr;
    ::EnumChildWindows(::GetDlgItem(fileDialog, cmb13), FindEdit, reinterpret_cast<LPARAM>(&box));
    return box;
}

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent, std::size_t longestPath)
    : m_open(openFileDialog),
      m_defaultExtension(defaultExtension != nullptr ? defaultExtension : ""),
      m_fileName(fileName != nullptr ? fileName : ""),
      m_flags(flags),
      m_filter(filter != nullptr ? filter : ""),
      m_parent(parent != nullptr ? parent->GetSafeHwnd() : nullptr),
      m_longestPath(longestPath)
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

    // A full name box makes one character more than the longest path, so
    // that every name that fits can be typed whole.
    NameLimit limit{std::min(m_longestPath + 1, kLongestDialogPath),
                    m_defaultExtension.empty() ? 0 : m_defaultExtension.size() + 1, false};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = ModalOwner(m_parent);
    ofn.lpstrFilter = m_filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = kPathBufferSize;
    ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER;
    if (RunningUnderWine()) {
        // With a hook, the dialog can be resized only when asked.
        ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLESIZING;
        ofn.lCustData = reinterpret_cast<LPARAM>(&limit);
        ofn.lpfnHook = NameLimitHook;
    }

    const ModalLoop loop;
    const BOOL chosen = m_open ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (!chosen || limit.filled || std::strlen(path.data()) > m_longestPath)
        return IDCANCEL;
    m_path = path.data();
    return IDOK;
}
