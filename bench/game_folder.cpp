#include "bench/game_folder.h"

#include <fstream>

#include "bench/bench_report.h"

namespace fs = std::filesystem;

GameFolder::GameFolder()
{
    static unsigned serial = 0;
    std::error_code error;
    m_previousDirectory = fs::current_path(error);
    m_root = fs::temp_directory_path(error) / ("qyr-bench-" + std::to_string(++serial));
    fs::remove_all(m_root, error);
    m_ready = fs::create_directories(m_root / "Bin", error) &&
              fs::create_directories(m_root / "Data" / "LevelScripts", error);
    if (m_ready) {
        fs::current_path(m_root / "Bin", error);
        m_ready = !error;
    }
}

GameFolder::~GameFolder()
{
    std::error_code ignored;
    fs::current_path(m_previousDirectory, ignored);
    fs::remove_all(m_root, ignored);
}

bool GameFolder::AddMaps(const char* mode, int count) const
{
    std::error_code error;
    fs::create_directories(m_root / "Data" / "LevelScripts" / mode, error);
    for (int i = 1; i <= count; ++i) {
        if (!AddMap(mode, "Map" + std::to_string(i)))
            return false;
    }
    return true;
}

bool GameFolder::AddMap(const char* mode, const std::string& map) const
{
    return static_cast<bool>(std::ofstream(MapFile(mode, map)));
}

bool GameFolder::RemoveMap(const char* mode, const std::string& map) const
{
    std::error_code error;
    return fs::remove(MapFile(mode, map), error);
}

fs::path GameFolder::MapFile(const char* mode, const std::string& map) const
{
    return m_root / "Data" / "LevelScripts" / mode / (map + ".dls");
}

int MeasureInGameFolder(const std::function<bool(const GameFolder&)>& measure)
{
    const GameFolder game;
    if (!game.Ready()) {
        ReportFailure("no game folder");
        return 1;
    }
    return measure(game) ? 0 : 1;
}
