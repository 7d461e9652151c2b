// Times ListMapsForMode into a real sorted drop-down list, like the map
// lists of the dialogs, over a throw-away game folder with 10, 1,000 and
// 10,000 level scripts, each count in a mode of its own.
#include <windows.h>

#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/game_folder.h"
#include "content/map_catalogue.h"
#include "framework/controls.h"

namespace {

struct ModeMaps {
    const char* mode;
    int count;
};
const ModeMaps kModeMaps[] = {{"Fallout", 10}, {"Cooperative", 1000}, {"TeamDeathMatch", 10000}};
constexpr double kBudgetMs = 5000;

bool MeasureMode(const GameFolder& game, const ModeMaps& mode, const CComboBox& maps)
{
    if (!game.AddMaps(mode.mode, mode.count)) {
        ReportFailure(std::string("could not make the level scripts of ") + mode.mode);
        return false;
    }
    bool complete = true;
    const std::vector<double> samples = SampleMs(
        [&] {
            ListMapsForMode(mode.mode, maps);
            complete = complete && maps.GetCount() == mode.count;
        },
        5, 51, kBudgetMs);
    if (!complete) {
        ReportFailure(std::string("the list of ") + mode.mode + " misses maps");
        return false;
    }
    ReportSamples("ListMapsForMode (sorted drop-down list)", WithThousands(mode.count) + " maps", samples, "ms");
    return true;
}

}  // namespace

int main()
{
    return MeasureInGameFolder([](const GameFolder& game) {
        const HWND window =
            ::CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, 0, 0, 200, 200,
                              nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        if (window == nullptr) {
            ReportFailure("no drop-down list");
            return false;
        }
        CComboBox maps;
        maps.Attach(window);
        bool measured = true;
        for (const ModeMaps& mode : kModeMaps)
            measured = MeasureMode(game, mode, maps) && measured;
        ::DestroyWindow(window);
        return measured;
    });
}
