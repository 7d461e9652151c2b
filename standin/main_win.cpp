// QYR.exe, the stand-in game server: a small Win32 program that stands where
// the game's server program stands, for the tests, the benchmarks and the
// demo. It has one top-level window, showing what it was started with, and
// one message loop on its main thread, and reports what reaches it in a log.
//
// Behaviour, chosen through environment variables (a launcher passes its own
// environment on); numbers are decimal, switches are on when set to "1":
//   QYR_STANDIN_EXIT_AFTER_MS  crash: end by itself after this many ms, with
//                              QYR_STANDIN_EXIT_CODE as exit code (default 1)
//   QYR_STANDIN_IGNORE_QUIT    keep running when WM_QUIT arrives
//   QYR_STANDIN_IGNORE_CLOSE   keep the window when WM_CLOSE arrives
//   QYR_STANDIN_HANG           stop handling messages right after start
//   QYR_STANDIN_LIFETIME_MS    end by itself, with exit code 0, after this
//                              many ms (default and for 0: one hour), so that
//                              nothing lingers after a test run
// and through a switch of its command line, which the game's server ignores:
//   +exitafter <ms> <code|av>  crash, for this server alone: end by itself
//                              after <ms> ms (1 or more) with exit code <code>
//                              (decimal), or by a real access violation for
//                              "av", so that the exit code is 0xC0000005.
//                              It wins over the variables, and is ignored
//                              when either word is missing or wrong.
// Otherwise it ends with exit code 0 on WM_QUIT (not with the message's
// wParam: the launcher sends 259, which as an exit code reads as "still
// running") and on WM_CLOSE, its window going with the process.
//
// Log: appended to "qyr_standin.log" in the working directory, one line per
// event, each appended whole, so that several stand-ins can share one file:
//   <event> pid=<id> affinity=0x<hex> thread_affinity=0x<hex>[ <details>]
// with the process's affinity mask and its main thread's, as they are when
// the line is written (a launcher may pin the process just after start).
//   start ... cmdline=<the command line as received, to the end of the line>
//   quit ... wparam=<decimal>[ ignored]      WM_QUIT taken from the queue
//   close ...[ ignored]                      WM_CLOSE reached the window
//   crash ... code=<exit code or av>         the scripted crash
//   hang ...                                 from now on no message is handled
//   lifetime ...                             the lifetime is over
//   nowindow ... error=<code>                the window could not be made;
//                                            it ends with exit code 1
#include <windows.h>

#include <string>

#include "standin/options_win.h"
#include "standin/self_report_win.h"
#include "standin/standin_protocol.h"
#include "standin/status_window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const StandinOptions options = ReadStandinOptions();
    // The window comes first: once "start" is logged, the main thread has a
    // message queue and a window, and a stop can reach both.
    if (CreateStatusWindow(instance, options) == nullptr) {
        LogEvent(standin::kNoWindowEvent, "error=" + std::to_string(::GetLastError()));
        return 1;
    }
    LogEvent(standin::kStartEvent, std::string("cmdline=") + ::GetCommandLineA());

    if (options.hang) {
        LogEvent(standin::kHangEvent);
        ::Sleep(options.lifetimeMs);
        LogEvent(standin::kLifetimeEvent);
        return 0;
    }

    MSG message;
    for (;;) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == -1)
            return 1;
        if (got == 0) {
            if (StatusWindowClosed())
                return 0;
            const std::string wParam = "wparam=" + std::to_string(message.wParam);
            LogEvent(standin::kQuitEvent, options.ignoreQuit ? wParam + " ignored" : wParam);
            if (options.ignoreQuit)
                continue;
            return 0;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}
