// A throw-away game folder for a benchmark: <temp>\qyr-bench-<n>\Bin, the
// current directory while the object lives, with the level-script folders
// of the game beside it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

class GameFolder {
public:
    GameFolder();
    // Restores the previous current directory and removes the folder.
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    // False when the folders could not be made or entered.
    bool Ready() const { return m_ready; }
    std::string BinFolder() const { return (m_root / "Bin").string(); }

    // Puts `count` empty level scripts, "Map1.dls" upward, into the mode's
    // folder; false when one could not be made.
    bool AddMaps(const char* mode, int count) const;
    // One empty level script "<map>.dls" in the mode's folder, made or removed.
    bool AddMap(const char* mode, const std::string& map) const;
    bool RemoveMap(const char* mode, const std::string& map) const;

private:
    std::filesystem::path MapFile(const char* mode, const std::string& map) const;

    std::filesystem::path m_root;
    std::filesystem::path m_previousDirectory;
    bool m_ready = false;
};

// A benchmark program's main: `measure` runs in a fresh game folder, or a
// folder that could not be made is reported. The program's exit status.
int MeasureInGameFolder(const std::function<bool(const GameFolder&)>& measure);
