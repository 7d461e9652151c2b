// Identifiers of the tool's resources: templates, controls, strings, icon.
// Shared by the resource script and the code, so it holds plain #defines only.
#pragma once

// The admin window's commands (multiples of 16, so that the system menu can
// list them) and their texts.
#define IDM_ABOUTBOX 0x0010
#define IDM_OPENSERVERSET 0x0020
#define IDM_SAVESERVERSETAS 0x0030
#define IDM_EXIT 0x0070
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDS_OPENSERVERSET 103
#define IDS_SAVESERVERSETAS 104
#define IDS_EXIT 106
// The popups of the admin window's menu bar.
#define IDM_FILE_MENU 0x0200
#define IDM_SERVER_MENU 0x0210
#define IDM_OPTIONS_MENU 0x0220
#define IDM_HELP_MENU 0x0230
// The rotation button's two captions: without and with a rotation file.
#define IDS_NEWROTATION 110
#define IDS_EDITROTATION 111
#define IDD_SERVERADMIN_DIALOG 102
// The icon of the windows, and the admin window's menu bar.
#define IDR_MAINFRAME 128
#define IDD_MAPROTATION 130

// The admin window's timer: each tick refreshes the window and runs the
// watchdog pass. Programs that drive the window send it as well.
#define IDT_WATCHDOG 25

// Admin window (template 102)
#define IDC_START 1002
#define IDC_STOP 1003
#define IDC_DELETE 1004
#define IDC_NEW 1005
#define IDC_NAME 1006
#define IDC_PORT 1007
#define IDC_RANKPOINTS 1008
#define IDC_PASSWORD 1009
#define IDC_GAMEMODE 1010
#define IDC_MAP 1011
#define IDC_DEDICATED 1012
#define IDC_PURE 1013
#define IDC_MINIMIZE 1014
#define IDC_FRIENDLYFIRE 1015
#define IDC_RESPAWN 1016
#define IDC_PLAYON 1017
#define IDC_MAXPLAYERS 1018
#define IDC_MATCHTIME 1019
#define IDC_FREEZETIME 1020
#define IDC_ROUNDTIME 1021
#define IDC_IMMEDIATEPLAY 1022
#define IDC_SERVERLIST 1023
#define IDC_USEEXTERNIP 1024
#define IDC_ALLOWSHADOWS 1025
#define IDC_DAMAGEMULTIPLIER 1026
#define IDC_SPECTATEALL 1027
#define IDC_EXTERNIP 1028
#define IDC_USEMAPROTATION 1029
#define IDC_ROTATIONFILE 1030
#define IDC_MAPTIME 1031
#define IDC_ROTATIONBUTTON 1032
#define IDC_BROWSE 1033
#define IDC_HASH 1034
#define IDC_TEAM1SKINSET 1035
#define IDC_TEAM2SKINSET 1036
#define IDC_ANTICHEAT 1037
#define IDC_OPENCHAT 1038
#define IDC_JUMPSLOWDOWN 1039
#define IDC_STATUSBAR 1043

// Rotation editor (template 130); its identifiers overlap the admin window's.
#define IDC_ROTATION_GAMEMODE 1010
#define IDC_ROTATION_MAP 1011
#define IDC_ROTATION_ENTRIES 1033
#define IDC_ROTATION_PATH 1035
#define IDC_ROTATION_ADD 1037
#define IDC_ROTATION_REMOVE 1038
#define IDC_ROTATION_UP 1039
#define IDC_ROTATION_DOWN 1040

// Labels and group boxes, which no code addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#include "server_history_ids.h"
#include "watchdog_ids.h"
#include "alerts_ids.h"
