// Identifiers of the alerts: their system-menu item and their dialog.
// Plain #defines, shared by the resource script and the code.
#pragma once

#define IDM_ALERTS 0x0060
#define IDS_ALERTS 108
#define IDD_ALERTS 132
#define IDC_ALERTS_ADDRESS 1043
#define IDC_ALERTS_PROBLEM 1044
#define IDC_ALERTS_FORMAT 1045
// One check box per event, in the order of the alerts' events.
#define IDC_ALERTS_EXITED 1046
#define IDC_ALERTS_STARTFAILED 1047
#define IDC_ALERTS_CRASHLOOP 1048
#define IDC_ALERTS_STARTED 1049
#define IDC_ALERTS_STOPPED 1050
#define IDC_ALERTS_SETNOTSAVED 1051
#define IDC_ALERTS_HISTORYNOTSAVED 1052
#define IDC_ALERTS_TEST 1053
#define IDC_ALERTS_OUTCOME 1054
