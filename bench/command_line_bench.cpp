// Times BuildCommandLine, per call, for the record "New" gives with a map
// chosen, and for one whose name, password, map and rotation file are all
// 255 characters long.
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "servers/command_line.h"
#include "servers/server_config.h"

namespace {

constexpr int kCallsPerSample = 10000;
constexpr int kSamples = 31;

ServerConfig TypicalServer()
{
    ServerConfig server;
    CopyText(server.name, "qyr");
    CopyText(server.mapName, "Harbour");
    return server;
}

ServerConfig LongestTexts()
{
    ServerConfig server;
    CopyText(server.name, std::string(255, 'n').c_str());
    CopyText(server.password, std::string(255, 'p').c_str());
    CopyText(server.mapName, std::string(255, 'm').c_str());
    CopyText(server.rotationFile, std::string(255, 'r').c_str());
    server.useMapRotation = 1;
    return server;
}

void Measure(const std::string& size, const ServerConfig& server)
{
    // The lengths are summed so that no call can be left out.
    std::size_t characters = 0;
    std::vector<double> perCall = SampleMs(
        [&] {
            for (int call = 0; call < kCallsPerSample; ++call)
                characters += BuildCommandLine(server).size();
        },
        kSamples, kSamples, 0);
    for (double& sample : perCall)
        sample *= 1000.0 / kCallsPerSample;
    const std::size_t length = characters / (perCall.size() * kCallsPerSample);
    const std::string line = "line of " + WithThousands(static_cast<long long>(length)) + " characters";
    ReportSamples("BuildCommandLine (per call)", size + " (" + line + ")", perCall, "us");
}

}  // namespace

int main()
{
    Measure("typical record", TypicalServer());
    Measure("four 255-character texts", LongestTexts());
    return 0;
}
