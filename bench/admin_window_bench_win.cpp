// Times the real admin window over a throw-away game folder: its start-up
// to the first refresh done (the window created modeless; its
// initialisation ends with the first refresh), and RefreshFromCurrent with
// no server and with 10, 1,000 and 10,000 maps in the current mode.
#include <windows.h>

#include <string>
#include <vector>

#include "admin/server_admin_dlg.h"
#include "bench/bench_report.h"
#include "bench/game_folder.h"
#include "framework/win_app.h"
#include "servers/server_manager.h"

namespace {

constexpr int kStartUps = 11;
constexpr double kBudgetMs = 5000;

struct ModeMaps {
    int gameMode;
    int count;
};
const ModeMaps kModeMaps[] = {{0, 10}, {1, 1000}, {2, 10000}};

// What a message loop would have done in between: paint, mostly.
void PumpMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

bool MeasureStartUp()
{
    std::vector<double> samples;
    for (int run = 0; run < kStartUps; ++run) {
        CServerAdminDlg dialog;
        bool created = false;
        samples.push_back(TimeMs([&] { created = dialog.Create(); }));
        if (!created) {
            ReportFailure("the admin window could not be created");
            return false;
        }
        PumpMessages();
        ::DestroyWindow(dialog.GetSafeHwnd());
        PumpMessages();
    }
    ReportSamples("Admin window start-up to the first refresh done", "no server", samples, "ms");
    ReportNote("admin window start-up: CServerAdminDlg created modeless over an empty table in a bench process; "
               "the first creation in the process is among the samples");
    return true;
}

std::vector<double> SampleRefreshes(CServerAdminDlg& dialog)
{
    return SampleMs([&] { dialog.RefreshFromCurrent(); }, PumpMessages, 5, 51, kBudgetMs);
}

bool MeasureRefreshes()
{
    CServerAdminDlg dialog;
    if (!dialog.Create() || g_serverManager == nullptr) {
        ReportFailure("the admin window could not be created");
        return false;
    }
    ::ShowWindow(dialog.GetSafeHwnd(), SW_SHOW);
    PumpMessages();
    ReportSamples("RefreshFromCurrent", "no server", SampleRefreshes(dialog), "ms");

    if (!g_serverManager->AddServer()) {
        ReportFailure("no server could be added");
        return false;
    }
    ServerConfig& server = *g_serverManager->Current();
    for (const ModeMaps& mode : kModeMaps) {
        // The first refresh in a mode stores its first map, as after "New";
        // the timed ones then find the record's map in the list.
        server.gameMode = mode.gameMode;
        server.mapName[0] = '\0';
        dialog.RefreshFromCurrent();
        if (server.mapName[0] == '\0') {
            ReportFailure(std::string("no map listed for ") + kGameModes[mode.gameMode]);
            return false;
        }
        ReportSamples("RefreshFromCurrent", WithThousands(mode.count) + " maps in the mode", SampleRefreshes(dialog),
                      "ms");
    }
    ::DestroyWindow(dialog.GetSafeHwnd());
    PumpMessages();
    return true;
}

}  // namespace

int main()
{
    const GameFolder game;
    if (!game.Ready()) {
        ReportFailure("no game folder");
        return 1;
    }
    for (const ModeMaps& mode : kModeMaps) {
        if (!game.AddMaps(kGameModes[mode.gameMode], mode.count)) {
            ReportFailure(std::string("could not make the level scripts of ") + kGameModes[mode.gameMode]);
            return 1;
        }
    }
    const CWinApp app;
    app.Enable3dControls();
    return MeasureStartUp() && MeasureRefreshes() ? 0 : 1;
}
