#include "watchdog/watchdog_dlg.h"

#include "res/resource.h"

namespace {

// Hours and minutes, 24-hour: the daily restart knows no seconds.
const char kTimeFormat[] = "HH:mm";

}  // namespace

CWatchdogDlg::CWatchdogDlg(const WatchdogSettings& settings, CWnd* parent)
    : CDialog(IDD_WATCHDOG, parent), m_settings(settings)
{
}

CWatchdogDlg::~CWatchdogDlg() = default;

void CWatchdogDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_WATCHDOG_BACKOFF, m_backOff);
    DDX_Control(dx, IDC_WATCHDOG_DAILYRESTART, m_dailyRestart);
    DDX_Control(dx, IDC_WATCHDOG_TIME, m_time);
}

MessageTable CWatchdogDlg::GetMessageTable() const
{
    static const MessageEntry entries[] = {
        msg::Clicked(IDC_WATCHDOG_DAILYRESTART, &CWatchdogDlg::OnDailyRestart),
    };
    return MakeMessageTable(entries);
}

// The picker holds a whole date; only its time of day counts. A restart
// that is off shows the time it had, so that turning it on again in this
// run starts from there.
BOOL CWatchdogDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_backOff.SetCheck(m_settings.backOff ? BST_CHECKED : BST_UNCHECKED);
    m_dailyRestart.SetCheck(m_settings.dailyRestart.on ? BST_CHECKED : BST_UNCHECKED);
    m_time.SetFormat(kTimeFormat);
    SYSTEMTIME time = {};
    ::GetLocalTime(&time);
    time.wHour = static_cast<WORD>(m_settings.dailyRestart.hour);
    time.wMinute = static_cast<WORD>(m_settings.dailyRestart.minute);
    time.wSecond = 0;
    time.wMilliseconds = 0;
    m_time.SetTime(time);
    OnDailyRestart();
    return TRUE;
}

void CWatchdogDlg::OnDailyRestart()
{
    m_time.EnableWindow(m_dailyRestart.GetCheck() == BST_CHECKED);
}

void CWatchdogDlg::OnOK()
{
    m_settings.backOff = m_backOff.GetCheck() == BST_CHECKED;
    DailyRestartTime& restart = m_settings.dailyRestart;
    restart.on = m_dailyRestart.GetCheck() == BST_CHECKED;
    SYSTEMTIME time = {};
    if (m_time.GetTime(time)) {
        restart.hour = time.wHour;
        restart.minute = time.wMinute;
    }
    CDialog::OnOK();
}
