// The alerts with the real dialog, WinHTTP and a receiver on the loopback;
// then in the real admin window, told of a stand-in server's crash.
#include <gtest/gtest.h>

#include <atomic>

#include <nlohmann/json.hpp>

#include "admin/server_admin_dlg.h"
#include "alerts/alert_edges_win.h"
#include "alerts/alerts_dlg.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "standin/standin_protocol.h"
#include "tests/file_bytes.h"
#include "tests/support/standin_workspace_win.h"
#include "tests/windows/loopback_receiver.h"
#include "tests/windows/temp_game_tree.h"
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

// An address emptied in the dialog turns alerts off: nothing connects.
TEST(AlertsDialog, ShowsTheSettingsRefusesABadAddressAndTakesAnEmptyOne)
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
    EXPECT_EQ(SelectedItem(window, IDC_ALERTS_FORMAT), "Slack");
    EXPECT_TRUE(IsChecked(window, IDC_ALERTS_CRASHLOOP));
    EXPECT_FALSE(IsChecked(window, IDC_ALERTS_STARTED));

    ::SetDlgItemTextA(window, IDC_ALERTS_ADDRESS, "ftp://chat.test/secret");
    EXPECT_FALSE(IsControlEnabled(window, IDOK));
    EXPECT_FALSE(IsControlEnabled(window, IDC_ALERTS_TEST));
    EXPECT_EQ(ControlText(window, IDC_ALERTS_PROBLEM), "The address does not begin with https:// or http://.");
    ::SetDlgItemTextA(window, IDC_ALERTS_ADDRESS, "");
    Click(window, IDC_ALERTS_STARTED);
    Notify(window, IDOK, BN_CLICKED);
    EXPECT_EQ(AlertEventsText(alerts.Settings().events), "exited,start failed,crash loop,started");
    alerts.Heard({"2026-12-08T03:12:44+01:00", "Friday", "exited", "code 1 after 0:00:01"});
    ::Sleep(1000);
    EXPECT_EQ(receiver.Connections(), 0);
}

namespace {

// The real admin window opened on a set that names the receiver, with one
// stand-in server, Friday, that crashes at once after each start.
class AlertsToolTest : public ::testing::Test {
protected:
    void OpenOnSet(const std::string& alertsSection)
    {
        const CWinApp app;
        app.Enable3dControls();
        ASSERT_TRUE(m_servers.Ready());
        const std::string set = m_game.BinFolder() + "\\servers.ini";
        WriteFileBytes(set, "[Slot 1]\r\nname=\"Friday\"\r\nrunning=0\r\n\r\n" + alertsSection);
        m_dialog.SetStartUpArguments({set});
        ASSERT_TRUE(m_dialog.Create());
        m_window = m_dialog.GetSafeHwnd();
        PumpPendingMessages();
        ASSERT_NE(g_serverManager->Current(), nullptr);
    }

    // Starts Friday, lets it crash, and runs the watchdog's pass, which
    // relaunches it; the milliseconds the pass took.
    ULONGLONG CrashAndTick()
    {
        m_servers.SetOption(standin::kExitAfterMsVariable, "1");
        m_servers.SetOption(standin::kExitCodeVariable, "3221225477");
        Notify(m_window, IDC_START, BN_CLICKED);
        EXPECT_EQ(::WaitForSingleObject(g_serverManager->Current()->process.hProcess, 5000), WAIT_OBJECT_0);
        m_servers.ClearOptions();
        const ULONGLONG before = ::GetTickCount64();
        ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG, 0);
        return ::GetTickCount64() - before;
    }

    UnexpectedModalGuard m_modalGuard;
    TempGameTree m_game;
    StandinWorkspace m_servers{m_game.BinFolder()};
    CServerAdminDlg m_dialog;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(AlertsToolTest, TheSetsAddressIsShownTestedAndToldOfACrashOnce)
{
    LoopbackReceiver receiver;
    OpenOnSet("[Alerts]\r\nurl=" + receiver.Url() + "\r\nformat=json\r\n");
    {
        ModalAnswerer answerer("Alerts", [&](HWND dialog) {
            EXPECT_EQ(ControlText(dialog, IDC_ALERTS_ADDRESS), receiver.Url());
            Notify(dialog, IDC_ALERTS_TEST, BN_CLICKED);
            EXPECT_EQ(TestOutcome(dialog), "Sent: HTTP 204");
            PressButton(dialog, IDCANCEL);
        });
        ::SendMessageA(m_window, WM_SYSCOMMAND, IDM_ALERTS, 0);
        EXPECT_TRUE(answerer.Answered());
    }

    CrashAndTick();
    const std::vector<std::string> requests = receiver.Requests(3);  // waits 10 s for a third that never comes
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].rfind("POST /hook?secret HTTP/1.1\r\n", 0), 0u) << requests[1];
    EXPECT_NE(requests[1].find("\r\nContent-Type: application/json; charset=utf-8\r\n"), std::string::npos);
    const nlohmann::json crash = Body(requests[1]);
    EXPECT_EQ(crash.at("server"), "Friday");
    EXPECT_EQ(crash.at("event"), "exited");
    EXPECT_EQ(crash.at("details").get<std::string>().rfind("code 3221225477 (0xC0000005, access violation)", 0), 0u);
    ::DestroyWindow(m_window);
}

// The alert waits for its answer on the sender's thread; the tick and the
// window go on, and closing gives it its few seconds only.
TEST_F(AlertsToolTest, AReceiverThatNeverAnswersHoldsUpNeitherTheTickNorTheClose)
{
    LoopbackReceiver receiver(false);
    OpenOnSet("[Alerts]\r\nurl=" + receiver.Url() + "\r\n");
    EXPECT_LT(CrashAndTick(), 1000u);  // a wait for the answer would be 10 s
    for (int waited = 0; waited < 5000 && receiver.Connections() == 0; waited += 50)
        ::Sleep(50);
    ASSERT_EQ(receiver.Connections(), 1);
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "Friday");

    // Timed from the box's end: Wine without a window manager takes 2 s to
    // take a shown window off the screen.
    std::atomic<ULONGLONG> answered{0};
    {
        ModalAnswerer answerer("Running server(s)", [&](HWND box) {
            PressButton(box, IDYES);
            while (::IsWindow(box))
                ::Sleep(5);
            answered = ::GetTickCount64();
        });
        ::SendMessageA(m_window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_FALSE(::IsWindow(m_window));
    EXPECT_LT(::GetTickCount64() - answered, 5000u);
}
