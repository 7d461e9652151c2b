// Identifiers of the server history: its system-menu item and its dialog.
// Plain #defines, shared by the resource script and the code.
#pragma once

#define IDM_SERVERHISTORY 0x0040
#define IDS_SERVERHISTORY 105
#define IDD_SERVERHISTORY 131
#define IDC_HISTORY_LIST 1041
#define IDC_HISTORY_COPY 1042
