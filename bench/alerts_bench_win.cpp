// Times what an alert costs the window's thread: an exit the history
// records, heard by the alerts with an address set, and handed to their
// sender, whose thread meanwhile takes the alerts before it into its queue
// and posts the first to an address where nothing listens.
#include <chrono>
#include <string>
#include <vector>

#include "alerts/alert_edges_win.h"
#include "alerts/server_alerts.h"
#include "bench/bench_report.h"

namespace {

constexpr int kSamples = 1000;
constexpr double kBudgetMs = 5000;

}  // namespace

int main()
{
    ServerAlerts alerts(SystemAlertEdges());
    AlertSettings settings;
    settings.url = "http://127.0.0.1:9/webhook";
    alerts.SetSettings(settings);
    const std::string crash = "code 3221225477 (0xC0000005, access violation) after 4:12:31";
    int server = 0;
    // Each server's first exit passes flood control at once.
    const std::vector<double> samples = SampleMs(
        [&] { alerts.Heard({"2026-12-08T03:12:44+01:00", "qyr(" + std::to_string(++server) + ")", "exited", crash}); },
        kSamples, kSamples, kBudgetMs);
    alerts.FinishSending(std::chrono::steady_clock::now());
    ReportSamples("Alert handed to its sender by the window's thread", "an exit, an address set", samples, "ms");
    ReportNote("alert handed over: an exit of another server each time, heard with an address set and copied for "
               "the sender's thread, which meanwhile queues those before it and posts the first to 127.0.0.1, "
               "where nothing listens");
    return 0;
}
