// Times the server history: one event recorded with a set open, which
// queues its line for the set's log, and the history dialog opened
// (created, shown and painted) over 10,000 events.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/game_folder.h"
#include "framework/win_app.h"
#include "history/history_edges_win.h"
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

// As many events as the queue holds, so that every line is written; they
// are written meanwhile, as while the tool runs, and the writing of all of
// them is timed too.
bool MeasureRecording(const GameFolder& game)
{
    const ServerRunFacts runFacts(SystemWallTime);
    ServerHistory history(runFacts, SystemHistoryEdges());
    history.OpeningServerSet(game.BinFolder() + "\\bench.ini");
    ServerConfig server;
    CopyText(server.name, "bench");
    const ProcessEnd end{true, 0xC0000005u, 15151};
    std::vector<double> samples;
    const double writing = TimeMs([&] {
        samples = SampleMs([&] { history.Exited(0, server, end, NextStart{}); }, 11, static_cast<int>(HistoryWriter::kQueuedLines), kBudgetMs);
        history.FinishWriting();
    });
    LogFailure failure;
    if (history.TakeWriteFailure(failure)) {
        ReportFailure(failure.logPath + ": " + failure.reason);
        return false;
    }
    ReportSamples("Server history: one event recorded, a set open", "its log line queued", samples, "ms");
    ReportValue("Server history: one line written by its thread",
                WithThousands(static_cast<long long>(samples.size())) + " lines in a row",
                writing / static_cast<double>(samples.size()), "ms");
    ReportNote("server history event: an exit recorded with a set open in a temporary folder; its line is queued "
               "for the history's writing thread, which opens the log, appends to it and closes it again for each "
               "line");
    return true;
}

// Each dialog is destroyed untimed: a shown window's end takes Wine without
// a window manager about 2 s.
bool MeasureDialog()
{
    const ServerRunFacts runFacts(SystemWallTime);
    ServerHistory history(runFacts, SystemHistoryEdges());
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
        return false;
    }
    ReportSamples("Server history dialog opened, shown and painted", WithThousands(kDialogEvents) + " events",
                  samples, "ms");
    ReportNote("server history dialog: created modeless with no owner, its list scrolled to the newest event");
    return true;
}

}  // namespace

int main()
{
    return MeasureInGameFolder([](const GameFolder& game) {
        const CWinApp app;
        app.Enable3dControls();
        return MeasureRecording(game) && MeasureDialog();
    });
}
