#include "framework/dialog.h"

#include "framework/dialog_items.h"
#include "framework/win_app.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    control.Attach(dx->Dialog().GetDlgItem(id));
}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId), m_parent(parent != nullptr ? parent->GetSafeHwnd() : nullptr)
{
}

CDialog::~CDialog()
{
    // A modeless window must not outlive the object its procedure points to.
    if (m_hWnd != nullptr && !m_modal)
        ::DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal()
{
    m_modal = true;
    return ::DialogBoxParamA(CWinApp::ResourceInstance(), MAKEINTRESOURCEA(m_templateId), m_parent, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent)
{
    m_modal = false;
    m_result = 0;
    if (parent != nullptr)
        m_parent = parent;
    return ::CreateDialogParamA(CWinApp::ResourceInstance(), MAKEINTRESOURCEA(m_templateId), m_parent, DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_modal) {
        ::EndDialog(m_hWnd, result);
        return;
    }
    m_result = result;
    ::DestroyWindow(m_hWnd);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

MessageTable CDialog::GetMessageTable() const
{
    return MessageTable{nullptr, 0};
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
        dialog->InitWindow(hwnd);
        return dialog->OnInitDialog();
    }
    dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
        return FALSE;
    }
    return dialog->HandleMessage(message, wParam, lParam);
}

void CDialog::InitWindow(HWND hwnd)
{
    m_hWnd = hwnd;
    LoadListItems();
    CDataExchange dx(*this);
    DoDataExchange(&dx);
}

// The lists' initial items are kept in the resources beside the template.
void CDialog::LoadListItems() const
{
    const HINSTANCE instance = CWinApp::ResourceInstance();
    const HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(RT_DLGITEMS));
    if (found == nullptr)
        return;
    const HGLOBAL loaded = ::LoadResource(instance, found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr)
        return;
    const auto lists = ParseDialogItems(static_cast<const unsigned char*>(data), ::SizeofResource(instance, found));
    for (const DialogListItems& list : lists) {
        const HWND control = GetDlgItem(list.controlId);
        char className[16] = "";
        ::GetClassNameA(control, className, sizeof className);
        const UINT add = lstrcmpiA(className, "ListBox") == 0 ? LB_ADDSTRING : CB_ADDSTRING;
        for (const std::string& item : list.items)
            ::SendMessageA(control, add, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

const MessageEntry* CDialog::FindEntry(UINT message, UINT code, UINT id) const
{
    const MessageTable table = GetMessageTable();
    for (std::size_t i = 0; i < table.count; ++i) {
        const MessageEntry& entry = table.entries[i];
        if (entry.message != message)
            continue;
        if ((message == WM_COMMAND || message == WM_NOTIFY) && (entry.code != code || entry.id != id))
            continue;
        return &entry;
    }
    return nullptr;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    UINT code = 0;
    UINT id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
        if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
            if (id == IDOK)
                OnOK();
            else
                OnCancel();
            return TRUE;
        }
    } else if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        code = header->code;
        id = static_cast<UINT>(header->idFrom);
    }
    if (m_muted && (message == WM_COMMAND || message == WM_NOTIFY))
        return FALSE;
    const MessageEntry* entry = FindEntry(message, code, id);
    if (entry == nullptr)
        return FALSE;
    return Dispatch(*entry, wParam, lParam);
}

INT_PTR CDialog::Dispatch(const MessageEntry& entry, WPARAM wParam, LPARAM lParam)
{
    m_wantDefault = false;
    switch (entry.kind) {
    case HandlerKind::Command:
    case HandlerKind::Paint:
    case HandlerKind::Destroy:
        (this->*entry.handler.plain)();
        break;
    case HandlerKind::Notify: {
        LRESULT result = 0;
        (this->*entry.handler.notify)(reinterpret_cast<NMHDR*>(lParam), &result);
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case HandlerKind::Timer:
        (this->*entry.handler.timer)(static_cast<UINT_PTR>(wParam));
        break;
    case HandlerKind::SysCommand:
        (this->*entry.handler.sysCommand)(static_cast<UINT>(wParam), lParam);
        break;
    case HandlerKind::QueryDragIcon:
        // One of the few messages whose result a dialog returns directly.
        return reinterpret_cast<INT_PTR>((this->*entry.handler.queryDragIcon)());
    }
    return m_wantDefault ? FALSE : TRUE;
}
