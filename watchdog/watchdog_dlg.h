// The "Watchdog" dialog: the back-off for servers that keep ending soon
// after their start, and the time of the daily restart, local time.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"
#include "servers/watchdog_settings.h"

class CWatchdogDlg : public CDialog {
public:
    CWatchdogDlg(const WatchdogSettings& settings, CWnd* parent);
    ~CWatchdogDlg() override;

    // What the dialog was opened with, and after OK what the operator chose.
    const WatchdogSettings& Settings() const { return m_settings; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    MessageTable GetMessageTable() const override;

    void OnDailyRestart();

private:
    WatchdogSettings m_settings;
    CButton m_backOff;
    CButton m_dailyRestart;
    CDateTimeCtrl m_time;
};
