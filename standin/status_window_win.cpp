#include "standin/status_window_win.h"

#include <cstdio>
#include <string>

#include "standin/self_report_win.h"
#include "standin/standin_protocol.h"

namespace {

const char kClassName[] = "QyrStandinWindow";
const UINT_PTR kRefreshTimer = 1;  // shows a pinning done after start
const UINT_PTR kCrashTimer = 2;
const UINT_PTR kLifetimeTimer = 3;
const UINT kRefreshMs = 1000;
const int kMargin = 12;

bool g_closed = false;
HFONT g_font = nullptr;

std::string ServerName(const char* commandLine)
{
    const std::string line = commandLine;
    const std::string key = "+server ";
    const std::size_t start = line.find(key);
    if (start == std::string::npos)
        return "(no +server)";
    const std::size_t begin = start + key.size();
    return line.substr(begin, line.find(' ', begin) - begin);
}

std::string Hex(std::uintptr_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string StatusText(const StandinOptions& options)
{
    const SelfReport self = ReadSelfReport();
    return "QYR stand-in game server\n\nProcess id: " + std::to_string(self.processId) +
           "\nAffinity: process " + Hex(self.processAffinity) + ", main thread " + Hex(self.threadAffinity) +
           "\nBehaviour: " + DescribeOptions(options) + "\n\nCommand line:\n" + ::GetCommandLineA();
}

void Paint(HWND window, const StandinOptions& options)
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window, &paint);
    RECT area;
    ::GetClientRect(window, &area);
    ::InflateRect(&area, -kMargin, -kMargin);
    const HGDIOBJ oldFont = ::SelectObject(dc, g_font != nullptr ? g_font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    const std::string text = StatusText(options);
    // Long command lines break anywhere, so every switch stays visible.
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
    ::EndPaint(window, &paint);
}

[[noreturn]] void EndNow(const char* event, const std::string& details, UINT exitCode)
{
    LogEvent(event, details);
    ::ExitProcess(exitCode);
}

// The system then ends the process with the exception's code, as it does a
// crashed server on an operator's machine, without a crash dialog or a
// debugger, which would keep the process alive.
LONG WINAPI EndWithTheException(EXCEPTION_POINTERS*)
{
    return EXCEPTION_EXECUTE_HANDLER;
}

void CrashByAccessViolation()
{
    LogEvent(standin::kCrashEvent, std::string("code=") + standin::kAccessViolationWord);
    ::SetUnhandledExceptionFilter(EndWithTheException);
    // An address the compiler cannot see is null, so it writes there rather
    // than putting a trap of its own in place.
    volatile std::uintptr_t nowhere = 0;
    *reinterpret_cast<volatile int*>(nowhere) = 0;
    // Should the exception be swallowed, the caller ends the process with
    // code 0, which no one takes for an access violation.
}

LRESULT CALLBACK StatusWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* options = reinterpret_cast<const StandinOptions*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (options == nullptr)
        return ::DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_CREATE:
        ::SetTimer(window, kRefreshTimer, kRefreshMs, nullptr);
        if (options->exitAfterMs != 0)
            ::SetTimer(window, kCrashTimer, options->exitAfterMs, nullptr);
        ::SetTimer(window, kLifetimeTimer, options->lifetimeMs, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kCrashTimer && options->accessViolation)
            CrashByAccessViolation();
        if (wParam == kCrashTimer)
            EndNow(standin::kCrashEvent, "code=" + std::to_string(options->exitCode), options->exitCode);
        if (wParam == kLifetimeTimer)
            EndNow(standin::kLifetimeEvent, std::string(), 0);
        ::InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_PAINT:
        Paint(window, *options);
        return 0;
    case WM_CLOSE:
        LogEvent(standin::kCloseEvent, options->ignoreClose ? "ignored" : "");
        // The server shuts down and its window goes with the process. Not
        // DestroyWindow: under an X server without a window manager, Wine
        // waits two seconds for a hidden window to be withdrawn, and the
        // close would reach the launcher's bound.
        if (!options->ignoreClose) {
            g_closed = true;
            ::PostQuitMessage(0);
        }
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

HWND CreateStatusWindow(HINSTANCE instance, const StandinOptions& options)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StatusWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hIcon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (::RegisterClassA(&windowClass) == 0)
        return nullptr;
    g_font = ::CreateFontA(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");

    const std::string title = "QYR stand-in: " + ServerName(::GetCommandLineA()) + " (pid " +
                              std::to_string(::GetCurrentProcessId()) + ")";
    const HWND window = ::CreateWindowA(kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                        720, 280, nullptr, nullptr, instance, const_cast<StandinOptions*>(&options));
    if (window == nullptr)
        return nullptr;
    // Not activated: a server coming up must not take the focus from the
    // administration tool. Told to start minimised, it does so, as the game
    // server would.
    const bool minimize = std::string(::GetCommandLineA()).find(" +minimize") != std::string::npos;
    ::ShowWindow(window, minimize ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    ::UpdateWindow(window);
    return window;
}

bool StatusWindowClosed()
{
    return g_closed;
}
