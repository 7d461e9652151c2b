// The alerts with the real dialog, WinHTTP and a receiver on the loopback.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "alerts/alert_edges_win.h"
#include "alerts/alerts_dlg.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "tests/windows/loopback_receiver.h"
#include "tests/windows/window_probe.h"

namespace {

// The outcome the dialog shows once the test has been answered.
std::string TestOutcome(HWND dialog)
{
    for (int waited = 0; waited < 25000 && ControlText(dialog, IDC_ALERTS_OUTCOME) == "Sending..."; waited += 20) {
        PumpPendingMessages();
        ::Sleep(20);
    }
    return ControlText(dialog, IDC_ALERTS_OUTCOME);
}

nlohmann::json Body(const std::string& request)
{
    return nlohmann::json::parse(request.substr(request.find("\r\n\r\n") + 4));
}

}  // namespace

TEST(AlertsDialog, ShowsTheSettingsRefusesABadAddressAndSendsATestAtOnce)
{
    const CWinApp app;
    app.Enable3dControls();
    LoopbackReceiver receiver;
    ServerAlerts alerts(SystemAlertEdges());
    AlertSettings settings;
    settings.url = receiver.Url();
    settings.format = AlertFormat::Slack;
    alerts.SetSettings(settings);
    CAlertsDlg dialog(alerts, nullptr);
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.GetSafeHwnd();
    EXPECT_EQ(ControlText(window, IDC_ALERTS_ADDRESS), receiver.Url());
    EXPECT_EQ(SelectedItem(window, IDC_ALERTS_FORMAT), "Slack");
    EXPECT_TRUE(IsChecked(window, IDC_ALERTS_CRASHLOOP));
    EXPECT_FALSE(IsChecked(window, IDC_ALERTS_STARTED));

    ::SetDlgItemTextA(window, IDC_ALERTS_ADDRESS, "ftp://chat.test/secret");
    EXPECT_FALSE(IsControlEnabled(window, IDOK));
    EXPECT_FALSE(IsControlEnabled(window, IDC_ALERTS_TEST));
    EXPECT_EQ(ControlText(window, IDC_ALERTS_PROBLEM), "The address does not begin with https:// or http://.");
    ::SetDlgItemTextA(window, IDC_ALERTS_ADDRESS, receiver.Url().c_str());
    Notify(window, IDC_ALERTS_TEST, BN_CLICKED);
    EXPECT_EQ(TestOutcome(window), "Sent: HTTP 204");
    const std::vector<std::string> requests = receiver.Requests(1);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("POST /hook?secret HTTP/1.1\r\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("\r\nContent-Type: application/json; charset=utf-8\r\n"), std::string::npos);
    const std::string text = Body(requests[0]).at("text");
    EXPECT_EQ(text.substr(text.find(':')), ": test: alerts from QYR SAT arrive here");

    Click(window, IDC_ALERTS_STARTED);
    Notify(window, IDOK, BN_CLICKED);
    EXPECT_EQ(AlertEventsText(alerts.Settings().events), "exited,start failed,crash loop,started");
}
