// Identifiers of the alerts: their system-menu item and their dialog.
// Plain #defines, shared by the resource script and the code.
#pragma once

#define IDM_ALERTS 0x0060
#define IDS_ALERTS 108
#define IDD_ALERTS 133
#define IDC_ALERTS_ADDRESS 1063
#define IDC_ALERTS_PROBLEM 1064
#define IDC_ALERTS_FORMAT 1065
// One check box per event, in the order of the alerts' events.
#define IDC_ALERTS_EXITED 1066
#define IDC_ALERTS_STARTFAILED 1067
#define IDC_ALERTS_CRASHLOOP 1068
#define IDC_ALERTS_STARTED 1069
#define IDC_ALERTS_STOPPED 1070
#define IDC_ALERTS_SETNOTSAVED 1071
#define IDC_ALERTS_HISTORYNOTSAVED 1072
#define IDC_ALERTS_TEST 1073
#define IDC_ALERTS_OUTCOME 1074
