// The "Alerts" dialog: the webhook's address, the form of its messages and
// the events they are sent for. OK is offered for a usable address or none,
// which turns alerts off; why another is refused shows under it. "Send
// Test" sends a test message at once and shows how it went, the dialog
// staying open and its thread never waiting for the network.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "alerts/server_alerts.h"
#include "framework/controls.h"
#include "framework/dialog.h"

class CAlertsDlg : public CDialog {
public:
    CAlertsDlg(ServerAlerts& alerts, CWnd* parent);
    ~CAlertsDlg() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    MessageTable GetMessageTable() const override;

    void OnAddressChange();
    void OnSendTest();
    void OnTestDone();

private:
    static constexpr UINT kTestDoneMessage = WM_APP + 1;

    // How the latest test went, shared with the threads that send them: an
    // earlier test that answers late is not shown, nor is any once the
    // dialog is gone.
    struct TestOutcome {
        std::mutex mutex;
        int latest = 0;
        std::string text;
    };

    ServerAlerts& m_alerts;
    CEdit m_address;
    CWnd m_problem;
    CComboBox m_format;
    CButton m_events[kAlertEventCount];
    CButton m_test;
    CWnd m_outcome;
    CButton m_ok;
    std::shared_ptr<TestOutcome> m_testOutcome = std::make_shared<TestOutcome>();
};
