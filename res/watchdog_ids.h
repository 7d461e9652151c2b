// Identifiers of the watchdog's options: their command and their dialog.
// Plain #defines, shared by the resource script and the code.
#pragma once

#define IDM_WATCHDOG 0x0050
#define IDS_WATCHDOG 107
#define IDD_WATCHDOG 132
#define IDC_WATCHDOG_BACKOFF 1060
#define IDC_WATCHDOG_DAILYRESTART 1061
#define IDC_WATCHDOG_TIME 1062
