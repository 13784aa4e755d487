#pragma once

// Resource and control ids, shared by the resource script and the code.

#define IDI_BRONTAVEL 102
#define IDI_BRONTAVEL_PAUSED 103
#define IDM_TRAY_MENU 104
#define IDD_ABOUT 105
#define IDD_OPTIONS 106

#define IDC_REPEAT_RATE 1013
#define IDC_REPEAT_DELAY 1014
#define IDC_EVENT_LIST 1015
#define IDC_COMMAND_LIST 1016
#define IDC_SET 1017

#define IDM_ABOUT 40004
#define IDM_EXIT 40005
#define IDM_OPTIONS 40006
#define IDM_START_WITH_WINDOWS 40007
#define IDM_PAUSE 40008
