// Drives a running QYRSAT.exe from outside, the way an operator's clicks
// would, for the screenshots of the documentation. Each argument is one
// step, done in order:
//   new                      click "New"
//   type=<id>:<text>         type into the edit with this control id and leave it
//   start                    click "Start"
//   select=<index>           select an entry of the server list
//   check=<id>               toggle the check box with this control id
//   choose=<id>:<item>       pick an item of a drop-down list (main window or editor)
//   rotation                 click the rotation button (opens the editor)
//   add                      click "Add" in the rotation editor
//   command=<id>             choose the system menu's item with this command id
//   menu=<letter>            open the menu bar's menu of this access key
//   escape                   press Esc (twice closes an open menu)
//   close                    ask the window to close (the question appears)
//   press=<caption>:<id>     press button <id> of the window with this caption
//   rect=<caption>           print "x y width height" of that window
//   caption                  print the caption of the tool's window
//   wait=<ms>                let the tool catch up
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "res/resource.h"
#include "version.h"

namespace {

const char kEditorCaption[] = "Map Rotation";

HWND FindTopLevel(const char* caption)
{
    for (int attempt = 0; attempt < 300; ++attempt) {
        const HWND window = ::FindWindowA(nullptr, caption);
        if (window != nullptr && ::IsWindowVisible(window))
            return window;
        ::Sleep(50);
    }
    std::fprintf(stderr, "no window \"%s\"\n", caption);
    std::exit(2);
}

// Posted, not sent: a click may open a modal window, which would block a
// sent message until it closes.
void Command(HWND window, int id, int code)
{
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
}

// A window that is a modal dialog's, when one is open, else the main one.
HWND ActiveDialog()
{
    const HWND editor = ::FindWindowA(nullptr, kEditorCaption);
    return editor != nullptr && ::IsWindowVisible(editor) ? editor : FindTopLevel(QYRSAT_MAIN_CAPTION);
}

void Choose(const std::string& argument)
{
    const HWND dialog = ActiveDialog();
    const int id = std::atoi(argument.c_str());
    const std::string item = argument.substr(argument.find(':') + 1);
    const LRESULT index = ::SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(item.c_str()));
    ::SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(dialog, id, CBN_SELCHANGE);
}

void Step(const std::string& step)
{
    const std::size_t equals = step.find('=');
    const std::string verb = step.substr(0, equals);
    const std::string argument = equals == std::string::npos ? std::string() : step.substr(equals + 1);
    if (verb == "new") {
        Command(FindTopLevel(QYRSAT_MAIN_CAPTION), IDC_NEW, BN_CLICKED);
    } else if (verb == "type") {
        const HWND main = FindTopLevel(QYRSAT_MAIN_CAPTION);
        const int id = std::atoi(argument.c_str());
        const std::string text = argument.substr(argument.find(':') + 1);
        ::SendDlgItemMessageA(main, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        Command(main, id, EN_KILLFOCUS);
    } else if (verb == "start") {
        Command(FindTopLevel(QYRSAT_MAIN_CAPTION), IDC_START, BN_CLICKED);
    } else if (verb == "select") {
        const HWND main = FindTopLevel(QYRSAT_MAIN_CAPTION);
        ::SendDlgItemMessageA(main, IDC_SERVERLIST, LB_SETCURSEL, static_cast<WPARAM>(std::atoi(argument.c_str())), 0);
        Command(main, IDC_SERVERLIST, LBN_SELCHANGE);
    } else if (verb == "check") {
        const HWND main = FindTopLevel(QYRSAT_MAIN_CAPTION);
        const int id = std::atoi(argument.c_str());
        const LRESULT state = ::SendDlgItemMessageA(main, id, BM_GETCHECK, 0, 0);
        ::SendDlgItemMessageA(main, id, BM_SETCHECK, state == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        Command(main, id, BN_CLICKED);
    } else if (verb == "choose") {
        Choose(argument);
    } else if (verb == "rotation") {
        Command(FindTopLevel(QYRSAT_MAIN_CAPTION), IDC_ROTATIONBUTTON, BN_CLICKED);
    } else if (verb == "add") {
        Command(FindTopLevel(kEditorCaption), IDC_ROTATION_ADD, BN_CLICKED);
    } else if (verb == "command") {
        ::PostMessageA(FindTopLevel(QYRSAT_MAIN_CAPTION), WM_SYSCOMMAND,
                       static_cast<WPARAM>(std::strtoul(argument.c_str(), nullptr, 0)), 0);
    } else if (verb == "menu") {
        ::PostMessageA(FindTopLevel(QYRSAT_MAIN_CAPTION), WM_SYSCOMMAND, SC_KEYMENU,
                       static_cast<LPARAM>(static_cast<unsigned char>(argument.c_str()[0])));
    } else if (verb == "escape") {
        // Into the thread's queue, where an open menu takes its keys from.
        ::PostMessageA(FindTopLevel(QYRSAT_MAIN_CAPTION), WM_KEYDOWN, VK_ESCAPE, 0);
    } else if (verb == "close") {
        ::PostMessageA(FindTopLevel(QYRSAT_MAIN_CAPTION), WM_CLOSE, 0, 0);
    } else if (verb == "press") {
        const std::string caption = argument.substr(0, argument.rfind(':'));
        const int id = std::atoi(argument.substr(argument.rfind(':') + 1).c_str());
        ::PostMessageA(::GetDlgItem(FindTopLevel(caption.c_str()), id), BM_CLICK, 0, 0);
    } else if (verb == "rect") {
        RECT rect = {};
        ::GetWindowRect(FindTopLevel(argument.c_str()), &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    } else if (verb == "caption") {
        std::printf("%s\n", QYRSAT_MAIN_CAPTION);
    } else if (verb == "wait") {
        ::Sleep(static_cast<DWORD>(std::atoi(argument.c_str())));
    } else {
        std::fprintf(stderr, "unknown step \"%s\"\n", step.c_str());
        std::exit(2);
    }
    ::Sleep(150);
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        Step(argv[i]);
    return 0;
}
