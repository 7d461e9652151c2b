#include "tests/windows/window_probe.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "framework/file_dialog.h"

namespace {

constexpr auto kAnswerBound = std::chrono::seconds(20);
// An expected window is answered within a poll or two; an unexpected one is
// left up this long before the guard answers it.
constexpr ULONGLONG kUnexpectedModalGraceMs = 3000;
constexpr DWORD kGuardPollMs = 50;

// The captions that ModalAnswerers wait for right now.
std::mutex g_expectedMutex;
std::multiset<std::string> g_expectedCaptions;

bool IsExpected(const std::string& caption)
{
    const std::lock_guard<std::mutex> lock(g_expectedMutex);
    return g_expectedCaptions.count(caption) != 0;
}

struct CaptionSearch {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindOwnWindow(HWND window, LPARAM param)
{
    CaptionSearch& search = *reinterpret_cast<CaptionSearch*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window))
        return TRUE;
    char caption[256] = "";
    ::GetWindowTextA(window, caption, sizeof caption);
    if (*search.caption != caption)
        return TRUE;
    search.found = window;
    return FALSE;
}

// A visible dialog of this process whose owner is disabled: one running its
// modal loop. Modeless windows under test have no disabled owner.
BOOL CALLBACK CollectModal(HWND window, LPARAM param)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char className[16] = "";
    ::GetClassNameA(window, className, sizeof className);
    const HWND owner = ::GetWindow(window, GW_OWNER);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0 &&
        owner != nullptr && !::IsWindowEnabled(owner))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

std::string WindowText(HWND window)
{
    const int length = ::GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::string ControlText(HWND dialog, int id)
{
    return WindowText(::GetDlgItem(dialog, id));
}

bool IsControlEnabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

bool IsChecked(HWND dialog, int id)
{
    return ::SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int ItemCount(HWND dialog, int id)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
}

std::string ItemText(HWND dialog, int id, int index)
{
    const LRESULT length = ::SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return std::string();
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    ::SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::string SelectedItem(HWND dialog, int id)
{
    const LRESULT selected = ::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return selected < 0 ? std::string() : ItemText(dialog, id, static_cast<int>(selected));
}

std::string AddressText(HWND dialog, int id)
{
    DWORD address = 0;
    if (::SendDlgItemMessageA(dialog, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)) == 0)
        return std::string();
    return std::to_string(FIRST_IPADDRESS(address)) + "." + std::to_string(SECOND_IPADDRESS(address)) + "." +
           std::to_string(THIRD_IPADDRESS(address)) + "." + std::to_string(FOURTH_IPADDRESS(address));
}

void Notify(HWND dialog, int id, int code)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void ChooseItem(HWND dialog, int id, const std::string& text)
{
    const LRESULT index =
        ::SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_GE(index, 0) << text;
    ::SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(dialog, id, CBN_SELCHANGE);
}

void TypeText(HWND dialog, int id, const std::string& text)
{
    ::SetDlgItemTextA(dialog, id, text.c_str());
    Notify(dialog, id, EN_KILLFOCUS);
}

void Click(HWND dialog, int id)
{
    const HWND control = ::GetDlgItem(dialog, id);
    const LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    if (style == BS_AUTOCHECKBOX || style == BS_CHECKBOX) {
        const bool checked = ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        ::SendMessageA(control, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    Notify(dialog, id, BN_CLICKED);
}

LRESULT TypeAddress(HWND dialog, int id, BYTE b0, BYTE b1, BYTE b2, BYTE b3)
{
    ::SendDlgItemMessageA(dialog, id, IPM_SETADDRESS, 0, MAKEIPADDRESS(b0, b1, b2, b3));
    NMIPADDRESS change = {};
    change.hdr.hwndFrom = ::GetDlgItem(dialog, id);
    change.hdr.idFrom = static_cast<UINT_PTR>(id);
    change.hdr.code = IPN_FIELDCHANGED;
    ::SetWindowLongPtrA(dialog, DWLP_MSGRESULT, -1);
    ::SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&change));
    return ::GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
}

void PumpPendingMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

ModalAnswerer::ModalAnswerer(std::string caption, std::function<void(HWND)> answer)
    : m_caption(std::move(caption)), m_answer(std::move(answer))
{
    {
        const std::lock_guard<std::mutex> lock(g_expectedMutex);
        g_expectedCaptions.insert(m_caption);
    }
    m_thread = std::thread([this] {
        const auto deadline = std::chrono::steady_clock::now() + kAnswerBound;
        while (!m_stop && std::chrono::steady_clock::now() < deadline) {
            CaptionSearch search{&m_caption, nullptr};
            ::EnumWindows(FindOwnWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                m_answer(search.found);
                m_answered = true;
                return;
            }
            ::Sleep(20);
        }
    });
}

ModalAnswerer::~ModalAnswerer()
{
    m_stop = true;
    m_thread.join();
    const std::lock_guard<std::mutex> lock(g_expectedMutex);
    g_expectedCaptions.erase(g_expectedCaptions.find(m_caption));
}

UnexpectedModalGuard::UnexpectedModalGuard() : m_thread([this] { Watch(); }) {}

UnexpectedModalGuard::~UnexpectedModalGuard()
{
    m_stop = true;
    m_thread.join();
}

void UnexpectedModalGuard::Watch()
{
    std::map<HWND, ULONGLONG> firstSeen;
    std::set<HWND> reported;
    while (!m_stop) {
        std::vector<HWND> modal;
        ::EnumWindows(CollectModal, reinterpret_cast<LPARAM>(&modal));
        std::map<HWND, ULONGLONG> stillUp;
        const ULONGLONG now = ::GetTickCount64();
        for (HWND window : modal) {
            const std::string caption = WindowText(window);
            if (IsExpected(caption))
                continue;
            const auto seen = firstSeen.find(window);
            stillUp[window] = seen == firstSeen.end() ? now : seen->second;
            if (now - stillUp[window] < kUnexpectedModalGraceMs)
                continue;
            if (reported.insert(window).second)
                ADD_FAILURE() << "unexpected modal window \"" << caption << "\", answered with Cancel";
            PressButton(window, IDCANCEL);
        }
        firstSeen.swap(stillUp);
        ::Sleep(kGuardPollMs);
    }
}

HICON MessageBoxIcon(HWND box)
{
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    }
    return nullptr;
}

std::string MessageBoxText(HWND box)
{
    // A message box shows its text in the static control 0xFFFF.
    return ControlText(box, 0xFFFF);
}

void PressButton(HWND window, int id)
{
    const LPARAM button = reinterpret_cast<LPARAM>(::GetDlgItem(window, id));
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), button);
}

int ListBoxCount(HWND dialog, int id)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0));
}

std::string ListBoxText(HWND dialog, int id, int index)
{
    const LRESULT length = ::SendDlgItemMessageA(dialog, id, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return std::string();
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    ::SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

int ListBoxSelection(HWND dialog, int id)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0));
}

void ChooseListBoxItem(HWND dialog, int id, int index)
{
    ::SendDlgItemMessageA(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(dialog, id, LBN_SELCHANGE);
}

void ChooseFileName(HWND fileDialog, const std::string& path)
{
    ::SendMessageA(FileDialogNameBox(fileDialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(fileDialog, IDOK);
}

void TypeFileName(HWND fileDialog, const std::string& keys)
{
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(fileDialog, nullptr), &thread);
    for (const char key : keys)
        ::PostMessageA(thread.hwndFocus, WM_CHAR, static_cast<unsigned char>(key), 1);
    PressButton(fileDialog, IDOK);
    PressButton(fileDialog, IDCANCEL);
}
