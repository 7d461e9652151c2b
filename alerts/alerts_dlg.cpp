#include "alerts/alerts_dlg.h"

#include "alerts/webhook_address.h"
#include "res/resource.h"

static_assert(IDC_ALERTS_HISTORYNOTSAVED - IDC_ALERTS_EXITED + 1 == kAlertEventCount, "one check box per event");

CAlertsDlg::CAlertsDlg(ServerAlerts& alerts, CWnd* parent) : CDialog(IDD_ALERTS, parent), m_alerts(alerts) {}

CAlertsDlg::~CAlertsDlg()
{
    const std::lock_guard<std::mutex> lock(m_testOutcome->mutex);
    ++m_testOutcome->latest;
}

MessageTable CAlertsDlg::GetMessageTable() const
{
    static const MessageEntry entries[] = {
        msg::Change(IDC_ALERTS_ADDRESS, &CAlertsDlg::OnAddressChange),
        msg::Clicked(IDC_ALERTS_TEST, &CAlertsDlg::OnSendTest),
        msg::Message(kTestDoneMessage, &CAlertsDlg::OnTestDone),
    };
    return MakeMessageTable(entries);
}

void CAlertsDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_ALERTS_ADDRESS, m_address);
    DDX_Control(dx, IDC_ALERTS_PROBLEM, m_problem);
    DDX_Control(dx, IDC_ALERTS_FORMAT, m_format);
    for (int i = 0; i < kAlertEventCount; ++i)
        DDX_Control(dx, IDC_ALERTS_EXITED + i, m_events[i]);
    DDX_Control(dx, IDC_ALERTS_TEST, m_test);
    DDX_Control(dx, IDC_ALERTS_OUTCOME, m_outcome);
    DDX_Control(dx, IDOK, m_ok);
}

BOOL CAlertsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const AlertSettings& settings = m_alerts.Settings();
    m_address.SetWindowText(settings.url.c_str());
    m_format.SetCurSel(static_cast<int>(settings.format));
    for (int i = 0; i < kAlertEventCount; ++i)
        m_events[i].SetCheck(settings.events.test(static_cast<std::size_t>(i)) ? BST_CHECKED : BST_UNCHECKED);
    OnAddressChange();
    return TRUE;
}

// An empty address turns alerts off, so OK takes it; a test needs one.
void CAlertsDlg::OnAddressChange()
{
    const std::string address = m_address.GetWindowText();
    const char* why = WebhookAddressProblem(address);
    m_problem.EnsureWindowText(why != nullptr ? ("The address " + std::string(why) + ".").c_str() : "");
    m_ok.EnsureEnabled(why == nullptr);
    m_test.EnsureEnabled(why == nullptr && !address.empty());
}

void CAlertsDlg::OnSendTest()
{
    int test = 0;
    {
        const std::lock_guard<std::mutex> lock(m_testOutcome->mutex);
        test = ++m_testOutcome->latest;
    }
    m_outcome.SetWindowText("Sending...");
    const HWND window = m_hWnd;
    m_alerts.SendTest(m_address.GetWindowText(), static_cast<AlertFormat>(m_format.GetCurSel()),
                      [outcome = m_testOutcome, test, window](const std::string& text) {
                          const std::lock_guard<std::mutex> lock(outcome->mutex);
                          if (test != outcome->latest)
                              return;
                          outcome->text = text;
                          ::PostMessageA(window, kTestDoneMessage, 0, 0);
                      });
}

void CAlertsDlg::OnTestDone()
{
    const std::lock_guard<std::mutex> lock(m_testOutcome->mutex);
    m_outcome.SetWindowText(m_testOutcome->text.c_str());
}

// Enter reaches here also while OK is disabled.
void CAlertsDlg::OnOK()
{
    AlertSettings settings;
    settings.url = m_address.GetWindowText();
    if (WebhookAddressProblem(settings.url) != nullptr)
        return;
    settings.format = static_cast<AlertFormat>(m_format.GetCurSel());
    for (int i = 0; i < kAlertEventCount; ++i)
        settings.events.set(static_cast<std::size_t>(i), m_events[i].GetCheck() == BST_CHECKED);
    m_alerts.SetSettings(settings);
    CDialog::OnOK();
}
