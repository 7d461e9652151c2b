// Times reading and writing a rotation of 10,000 entries, in the system's
// temporary folder.
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_report.h"
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

}  // namespace

int main()
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "qyr_rotation_bench";
    fs::create_directories(folder);
    const std::string path = (folder / "bench.map").string();
    const std::vector<std::string> entries = SampleRotation();
    const std::string size = WithThousands(kEntries) + " entries";

    bool written = true;
    std::string failure;
    const std::vector<double> writes =
        SampleMs([&] { written = WriteRotation(path.c_str(), entries, failure) && written; }, kRuns, kRuns, 0);
    bool sameBack = written && ReadRotation(path.c_str()) == entries;
    if (!written) {
        ReportFailure("writing the rotation failed: " + failure);
    } else if (!sameBack) {
        ReportFailure("the rotation read back differs from what was written");
    } else {
        ReportSamples("WriteRotation", size, writes, "ms");
        const std::vector<double> reads =
            SampleMs([&] { sameBack = ReadRotation(path.c_str()).size() == entries.size() && sameBack; }, kRuns,
                     kRuns, 0);
        ReportSamples("ReadRotation", size, reads, "ms");
        ReportNote("the rotation file of " + WithThousands(kEntries) + " entries has " +
                   WithThousands(static_cast<long long>(fs::file_size(path))) + " bytes");
    }

    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return written && sameBack ? 0 : 1;
}
