// Times the server history: one event recorded with a set open, which
// appends its line to the set's log at once, and the history dialog opened
// (created, shown and painted) over 10,000 events.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/game_folder.h"
#include "framework/win_app.h"
#include "history/server_history_dlg.h"

namespace {

constexpr double kBudgetMs = 5000;
constexpr int kDialogEvents = 10000;

void PumpMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void MeasureAppend(const GameFolder& game)
{
    const ServerRunFacts runFacts(SystemWallTime);
    ServerHistory history(runFacts);
    history.SetOpening(game.BinFolder() + "\\bench.ini");
    history.onWriteFailure = [](const std::string& path, const std::string& reason) {
        ReportFailure(path + ": " + reason);
    };
    ServerConfig server;
    CopyText(server.name, "bench");
    const ProcessEnd end{true, 0xC0000005u, 15151};
    ReportSamples("Server history: one event recorded, a set open", "its log line appended",
                  SampleMs([&] { history.Exited(0, server, end); }, 11, 2001, kBudgetMs), "ms");
    ReportNote("server history event: an exit recorded with a set open in a temporary folder; the log is opened, "
               "appended to and closed again for each line");
}

// Each dialog is destroyed untimed: a shown window's end takes Wine without
// a window manager about 2 s.
void MeasureDialog()
{
    const ServerRunFacts runFacts(SystemWallTime);
    ServerHistory history(runFacts);
    ServerConfig server;
    CopyText(server.name, "bench");
    for (int i = 0; i < kDialogEvents; ++i)
        history.Stopped(0, server, ProcessEnd{true, static_cast<std::uint32_t>(i), i});
    std::unique_ptr<CServerHistoryDlg> dialog;
    bool created = true;
    const auto open = [&] {
        dialog = std::make_unique<CServerHistoryDlg>(history, nullptr);
        created = dialog->Create() && created;
        ::ShowWindow(dialog->GetSafeHwnd(), SW_SHOW);
        ::UpdateWindow(dialog->GetSafeHwnd());
    };
    const auto close = [&] {
        ::DestroyWindow(dialog->GetSafeHwnd());
        PumpMessages();
    };
    const std::vector<double> samples = SampleMs(open, close, 5, 11, kBudgetMs);
    if (!created) {
        ReportFailure("the history dialog could not be created");
        return;
    }
    ReportSamples("Server history dialog opened, shown and painted", WithThousands(kDialogEvents) + " events",
                  samples, "ms");
    ReportNote("server history dialog: created modeless with no owner, its list scrolled to the newest event");
}

}  // namespace

int main()
{
    const GameFolder game;
    if (!game.Ready()) {
        ReportFailure("no game folder");
        return 1;
    }
    const CWinApp app;
    app.Enable3dControls();
    MeasureAppend(game);
    MeasureDialog();
    return 0;
}
