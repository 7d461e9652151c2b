// Times reading and writing a rotation of 10,000 entries, in the system's
// temporary folder. Prints one line per operation: best and median of the
// runs, in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "rotation/rotation_file.h"
#include "servers/server_config.h"

namespace {

constexpr int kEntries = 10000;
constexpr int kRuns = 51;

std::vector<std::string> SampleRotation()
{
    std::vector<std::string> entries;
    for (int i = 0; i < kEntries; ++i)
        entries.push_back(std::string(kGameModes[i % kGameModeCount]) + "\\Map" + std::to_string(i));
    return entries;
}

template <typename Operation>
void Time(const char* name, Operation operation)
{
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!operation()) {
            std::printf("%-24s failed\n", name);
            return;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-24s %10.3f %10.3f\n", name, ms.front(), ms[ms.size() / 2]);
}

}  // namespace

int main()
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "qyr_rotation_bench";
    fs::create_directories(folder);
    const std::string path = (folder / "bench.map").string();
    const std::vector<std::string> entries = SampleRotation();

    std::printf("%d entries, %d runs\n", kEntries, kRuns);
    std::printf("%-24s %10s %10s\n", "operation", "best ms", "median ms");
    Time("write", [&] { return WriteRotation(path.c_str(), entries); });
    const bool sameBack = ReadRotation(path.c_str()) == entries;
    if (sameBack) {
        Time("read", [&] { return ReadRotation(path.c_str()).size() == entries.size(); });
        std::printf("file of %llu bytes\n", static_cast<unsigned long long>(fs::file_size(path)));
    } else {
        std::printf("read back differs from what was written\n");
    }

    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return sameBack ? 0 : 1;
}
