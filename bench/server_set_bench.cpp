// Times writing a server set of a full table, 32 servers, and opening it,
// in the system's temporary folder: what a change to the table and an open
// cost, each far below the 30 seconds of one watchdog tick.
#include <filesystem>
#include <string>

#include "bench/bench_report.h"
#include "framework/file_contents.h"
#include "sets/server_set_format.h"

namespace {

constexpr int kRuns = 51;

// Every text as long as a field holds, so the set is as large as one gets.
void FillTable(ServerManager& table)
{
    while (table.AddServer()) {
        ServerConfig& server = *table.Current();
        const std::string name = std::to_string(table.count) + std::string(200, 'n');
        CopyText(server.name, name.c_str());
        CopyText(server.password, std::string(255, 'p').c_str());
        CopyText(server.mapName, std::string(255, 'm').c_str());
        CopyText(server.rotationFile, std::string(255, 'r').c_str());
    }
}

}  // namespace

int main()
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "qyr_server_set_bench";
    fs::create_directories(folder);
    const std::string path = (folder / "servers.ini").string();
    ServerManager table;
    FillTable(table);
    const std::string size = std::to_string(table.count) + " servers";

    bool fine = true;
    std::string failure;
    const std::vector<double> writes = SampleMs(
        [&] {
            std::string text;
            fine = ServerSetText(table, {}, text) && ReplaceFileContents(path.c_str(), text, failure) && fine;
        },
        kRuns, kRuns, 0);
    const std::vector<double> opens = SampleMs(
        [&] {
            std::string text;
            ServerManager opened;
            fine = ReadFileContents(path.c_str(), 1024 * 1024 + 1, text, failure) &&
                   opened.ReplaceServers(ReadServerSetText(text).servers) && opened.count == table.count &&
                   fine;
        },
        kRuns, kRuns, 0);
    if (fine) {
        ReportSamples("Server set written (text and safe replacement)", size, writes, "ms");
        ReportSamples("Server set opened (read, checked, table filled)", size, opens, "ms");
        ReportNote("the server set of " + size + ", every text as long as its field allows, has " +
                   WithThousands(static_cast<long long>(fs::file_size(path))) + " bytes");
    } else {
        ReportFailure("the server set could not be written and opened again: " + failure);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return fine ? 0 : 1;
}
