#include "framework/dialog.h"

#include <cstdio>
#include <new>

#include "framework/command_table.h"
#include "framework/dialog_items.h"
#include "framework/dialog_placement.h"
#include "framework/modal_loop.h"
#include "framework/win_app.h"
#include "framework/window_centring.h"

namespace {

const char kFailureCaption[] = "Action Not Completed";

struct ResourceBytes {
    const unsigned char* data;
    DWORD size;
};

// Null data when the module has no such resource.
ResourceBytes FindResourceBytes(UINT id, LPCSTR type)
{
    const HINSTANCE instance = CWinApp::ResourceInstance();
    const HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(id), type);
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(instance, found) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr)
        return ResourceBytes{nullptr, 0};
    return ResourceBytes{static_cast<const unsigned char*>(data), ::SizeofResource(instance, found)};
}

}  // namespace

// One hook for the thread, however many modal dialogs run one inside the
// other: each message is offered once.
class CDialog::MessageFilterHook {
public:
    MessageFilterHook()
    {
        if (Users()++ == 0)
            Hook() = ::SetWindowsHookExA(WH_MSGFILTER, MessageFilter, nullptr, ::GetCurrentThreadId());
    }
    ~MessageFilterHook()
    {
        if (--Users() == 0 && Hook() != nullptr) {
            ::UnhookWindowsHookEx(Hook());
            Hook() = nullptr;
        }
    }
    MessageFilterHook(const MessageFilterHook&) = delete;
    MessageFilterHook& operator=(const MessageFilterHook&) = delete;

private:
    static int& Users()
    {
        thread_local int users = 0;
        return users;
    }
    static HHOOK& Hook()
    {
        thread_local HHOOK hook = nullptr;
        return hook;
    }
};

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

// The dialog manager disables the owner for the run and enables and
// activates it again when the dialog ends.
INT_PTR CDialog::DoModal()
{
    m_modal = true;
    const ModalLoop loop;
    const MessageFilterHook filter;
    return ::DialogBoxParamA(CWinApp::ResourceInstance(), MAKEINTRESOURCEA(m_templateId), ModalOwner(m_parent),
                             DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent)
{
    m_modal = false;
    m_result = 0;
    if (parent != nullptr)
        m_parent = parent;
    // A window whose initialisation failed is gone again by now.
    return ::CreateDialogParamA(CWinApp::ResourceInstance(), MAKEINTRESOURCEA(m_templateId), m_parent, DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr &&
           m_hWnd != nullptr;
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
    if (const CommandTable* commands = GetCommandTable())
        commands->Install(m_hWnd);
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

const CommandTable* CDialog::GetCommandTable() const
{
    return nullptr;
}

void CDialog::OnAfterOutermostMessage(UINT) {}

bool CDialog::PreTranslateMessage(MSG& message)
{
    const CommandTable* commands = GetCommandTable();
    return commands != nullptr && commands->TranslateShortcut(m_hWnd, message);
}

CDialog* CDialog::FromHandle(HWND hwnd)
{
    if (hwnd == nullptr || ::GetWindowLongPtrA(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc))
        return nullptr;
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
}

// Messages aimed at a window that is not one of our dialogs (a message box,
// a file dialog) go their way.
LRESULT CALLBACK CDialog::MessageFilter(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message != nullptr) {
        CDialog* dialog = FromHandle(::GetAncestor(message->hwnd, GA_ROOT));
        if (dialog != nullptr && dialog->PreTranslateMessage(*message))
            return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    CDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
        return dialog->Initialise(hwnd);
    }
    dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
        return FALSE;
    }
    try {
        return dialog->HandleCountingNesting(message, wParam, lParam);
    } catch (const std::exception& failure) {
        return dialog->Recover(message, failure);
    }
}

// A dialog that could not be initialised would show, and on OK store, what
// it failed to load; it is closed before the operator sees it.
BOOL CDialog::Initialise(HWND hwnd)
{
    m_hWnd = hwnd;
    RECT before = {};
    ::GetWindowRect(hwnd, &before);
    try {
        LoadListItems();
        CDataExchange dx(*this);
        DoDataExchange(&dx);
        const BOOL focusDefault = OnInitDialog();
        CentreUnlessPlaced(before);
        return focusDefault;
    } catch (const std::exception& failure) {
        ReportFailure(FailedStep::Opening, failure);
        EndDialog(IDCANCEL);
        return FALSE;
    }
}

void CDialog::CentreUnlessPlaced(const RECT& before) const
{
    RECT now = {};
    ::GetWindowRect(m_hWnd, &now);
    if (now.left == before.left && now.top == before.top && TemplateLeavesPositionOpen())
        CentreWindow(m_hWnd);
}

// A template at 0,0 that asks for no placement of the system's own leaves
// the position to the framework. A child has its place in its parent.
bool CDialog::TemplateLeavesPositionOpen() const
{
    const ResourceBytes bytes = FindResourceBytes(m_templateId, RT_DIALOG);
    TemplatePlacement placement = {};
    if (bytes.data == nullptr || !ReadTemplatePlacement(bytes.data, bytes.size, placement))
        return false;
    const DWORD placedElsewhere = DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN | WS_CHILD;
    return placement.x == 0 && placement.y == 0 && (placement.style & placedElsewhere) == 0;
}

// The lists' initial items are kept in the resources beside the template.
void CDialog::LoadListItems() const
{
    const ResourceBytes bytes = FindResourceBytes(m_templateId, MAKEINTRESOURCEA(RT_DLGITEMS));
    if (bytes.data == nullptr)
        return;
    const auto lists = ParseDialogItems(bytes.data, bytes.size);
    for (const DialogListItems& list : lists) {
        const HWND control = GetDlgItem(list.controlId);
        char className[16] = "";
        ::GetClassNameA(control, className, sizeof className);
        const UINT add = lstrcmpiA(className, "ListBox") == 0 ? LB_ADDSTRING : CB_ADDSTRING;
        for (const std::string& item : list.items)
            ::SendMessageA(control, add, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

// The handler is over; the dialog answers the message as handled and goes
// on with the next one.
INT_PTR CDialog::Recover(UINT message, const std::exception& failure)
{
    // Left invalid, the window would be painted, and fail, again at once.
    if (message == WM_PAINT)
        ::ValidateRect(m_hWnd, nullptr);
    if (message == WM_NOTIFY)
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, 0);
    ReportFailure(FailedStep::Action, failure);
    return TRUE;
}

// Built in fixed buffers: after a failed allocation, another one would
// likely fail too. If even the box cannot be shown, nothing is left to tell
// the operator with. While one box is open, its loop keeps serving the
// timer: a failure that repeats on every tick is told once, not piled up.
void CDialog::ReportFailure(FailedStep step, const std::exception& failure)
{
    if (m_reportingFailure)
        return;
    char caption[128] = "";
    ::GetWindowTextA(m_hWnd, caption, sizeof caption);
    char reason[192];
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr)
        std::snprintf(reason, sizeof reason, "there is not enough memory.");
    else
        std::snprintf(reason, sizeof reason, "an internal error occurred (%s).", failure.what());
    char text[384];
    if (step == FailedStep::Opening)
        std::snprintf(text, sizeof text, "\"%s\" could not be opened: %s", caption, reason);
    else
        std::snprintf(text, sizeof text, "The last action in \"%s\" could not be completed: %s", caption, reason);
    m_reportingFailure = true;
    const ModalLoop loop;
    ::MessageBoxA(m_hWnd, text, kFailureCaption, MB_OK | MB_ICONERROR);
    m_reportingFailure = false;
}

const MessageEntry* CDialog::FindEntry(UINT message, UINT code, UINT id) const
{
    const MessageTable table = GetMessageTable();
    for (std::size_t i = 0; i < table.count; ++i) {
        const MessageEntry& entry = table.entries[i];
        if (entry.message != message)
            continue;
        if ((message == WM_COMMAND || message == WM_NOTIFY || message == WM_DRAWITEM) &&
            (entry.code != code || entry.id != id))
            continue;
        return &entry;
    }
    return nullptr;
}

INT_PTR CDialog::HandleCountingNesting(UINT message, WPARAM wParam, LPARAM lParam)
{
    struct Restore {
        ~Restore() { slot = value; }
        int& slot;
        int value;
    } restore{m_innermostMessageLoop, m_innermostMessageLoop};
    const int loop = ModalLoop::Depth();
    const bool outermost = m_innermostMessageLoop < loop;
    m_innermostMessageLoop = loop;
    bool reachedHandler = false;
    const INT_PTR result = HandleMessage(message, wParam, lParam, reachedHandler);
    // What the hook causes belongs to it, as to a handler.
    if (outermost && reachedHandler)
        OnAfterOutermostMessage(message);
    return result;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& reachedHandler)
{
    UINT code = 0;
    UINT id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
        if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
            reachedHandler = true;
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
    } else if (message == WM_DRAWITEM) {
        id = static_cast<UINT>(wParam);
    } else if (message == WM_INITMENUPOPUP) {
        // The items enabled as the table says; the menu goes on opening.
        const CommandTable* commands = GetCommandTable();
        if (commands != nullptr) {
            reachedHandler = true;
            commands->EnableItems(m_hWnd, reinterpret_cast<HMENU>(wParam));
        }
        return FALSE;
    }
    if (m_muted && (message == WM_COMMAND || message == WM_NOTIFY))
        return FALSE;
    if (RunCommand(message, wParam, lParam)) {
        reachedHandler = true;
        return TRUE;
    }
    const MessageEntry* entry = FindEntry(message, code, id);
    if (entry == nullptr)
        return FALSE;
    reachedHandler = true;
    return Dispatch(*entry, wParam, lParam);
}

// Menu items send code 0 and shortcuts code 1, without a control; a button
// sends BN_CLICKED (0) with its own window.
bool CDialog::RunCommand(UINT message, WPARAM wParam, LPARAM lParam) const
{
    const CommandTable* commands = GetCommandTable();
    if (commands == nullptr)
        return false;
    if (message == WM_SYSCOMMAND)
        return commands->Run(m_hWnd, static_cast<UINT>(wParam & 0xFFF0), true);
    if (message != WM_COMMAND)
        return false;
    const UINT code = HIWORD(wParam);
    const bool fromMenuOrKey = lParam == 0 && (code == 0 || code == 1);
    const bool fromButton = lParam != 0 && code == BN_CLICKED;
    return (fromMenuOrKey || fromButton) && commands->Run(m_hWnd, LOWORD(wParam), false);
}

INT_PTR CDialog::Dispatch(const MessageEntry& entry, WPARAM wParam, LPARAM lParam)
{
    m_wantDefault = false;
    switch (entry.kind) {
    case HandlerKind::Command:
    case HandlerKind::Paint:
    case HandlerKind::Destroy:
    case HandlerKind::Message:
    case HandlerKind::Size:
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
    case HandlerKind::DrawItem:
        (this->*entry.handler.drawItem)(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return m_wantDefault ? FALSE : TRUE;
}
