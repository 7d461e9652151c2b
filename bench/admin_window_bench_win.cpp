// Times the real admin window over a throw-away game folder: its start-up
// to the first refresh done (the window created modeless; its
// initialisation ends with the first refresh), and RefreshFromCurrent with
// no server and with 10, 1,000 and 10,000 maps in the current mode: once
// when nothing changed since the last refresh, once with a map file added on
// disk since.
#include <windows.h>

#include <string>
#include <vector>

#include "admin/server_admin_dlg.h"
#include "bench/bench_report.h"
#include "bench/game_folder.h"
#include "framework/win_app.h"
#include "res/resource.h"
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

// Before each timed refresh one map file more is put on disk; it goes again,
// and out of the list, untimed in between.
std::vector<double> SampleRefreshesFindingANewMap(CServerAdminDlg& dialog, const GameFolder& game, const char* mode,
                                                  bool& filesMade)
{
    const std::string added = "Added";
    filesMade = game.AddMap(mode, added);
    std::vector<double> samples = SampleMs([&] { dialog.RefreshFromCurrent(); },
                                           [&] {
                                               filesMade = game.RemoveMap(mode, added) && filesMade;
                                               dialog.RefreshFromCurrent();
                                               PumpMessages();
                                               filesMade = game.AddMap(mode, added) && filesMade;
                                           },
                                           5, 51, kBudgetMs);
    filesMade = game.RemoveMap(mode, added) && filesMade;
    dialog.RefreshFromCurrent();
    PumpMessages();
    return samples;
}

bool MeasureRefreshes(const GameFolder& game)
{
    CServerAdminDlg dialog;
    if (!dialog.Create() || g_serverManager == nullptr) {
        ReportFailure("the admin window could not be created");
        return false;
    }
    ::ShowWindow(dialog.GetSafeHwnd(), SW_SHOW);
    PumpMessages();
    ReportSamples("RefreshFromCurrent, nothing changed", "no server", SampleRefreshes(dialog), "ms");

    // As "New" adds it: listed with its mark, its state in the status bar.
    ::SendMessageA(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_NEW, BN_CLICKED), 0);
    if (g_serverManager->count != 1) {
        ReportFailure("no server could be added");
        return false;
    }
    ServerConfig& server = *g_serverManager->Current();
    for (const ModeMaps& mode : kModeMaps) {
        // The first refresh in a mode stores its first map, as after "New";
        // the timed ones then find the record's map in the list.
        const char* keyword = kGameModes[mode.gameMode];
        server.gameMode = mode.gameMode;
        server.mapName[0] = '\0';
        dialog.RefreshFromCurrent();
        PumpMessages();
        if (server.mapName[0] == '\0') {
            ReportFailure(std::string("no map listed for ") + keyword);
            return false;
        }
        const std::string size = WithThousands(mode.count) + " maps in the mode";
        ReportSamples("RefreshFromCurrent, nothing changed", size, SampleRefreshes(dialog), "ms");
        bool filesMade = false;
        const std::vector<double> samples = SampleRefreshesFindingANewMap(dialog, game, keyword, filesMade);
        if (!filesMade) {
            ReportFailure(std::string("could not add and remove a map of ") + keyword);
            return false;
        }
        ReportSamples("RefreshFromCurrent, one map added on disk", size, samples, "ms");
    }
    ReportNote("RefreshFromCurrent: the admin window shown, a server with the defaults, listed with its mark and its "
               "state in the status bar, in a mode with that many maps; "
               "\"one map added on disk\": one level-script file more than the map list shows, so the list is refilled");
    ::DestroyWindow(dialog.GetSafeHwnd());
    PumpMessages();
    return true;
}

}  // namespace

int main()
{
    return MeasureInGameFolder([](const GameFolder& game) {
        for (const ModeMaps& mode : kModeMaps) {
            if (!game.AddMaps(kGameModes[mode.gameMode], mode.count)) {
                ReportFailure(std::string("could not make the level scripts of ") + kGameModes[mode.gameMode]);
                return false;
            }
        }
        const CWinApp app;
        app.Enable3dControls();
        return MeasureStartUp() && MeasureRefreshes(game);
    });
}
