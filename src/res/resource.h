#pragma once
// Resource identifiers of the engine (string table, dialogs, bitmap, cursor).
#define IDS_PROFILE_KEY 33004
#define IDS_SETTINGS_SECTION 33006
#define IDS_STANDARD 33007
#define IDS_MOUSE_MOVE 33008
#define IDS_BUTTON_DOWN 33009
#define IDS_DOUBLE_CLICK 33010
#define IDS_KEY_DOWN 33011
#define IDS_ESCAPE 33012
#define IDS_MUTE 33013
#define IDS_SYSINFO 34024
#define IDS_TIMES 34025
#define IDS_SIGNATURE_B 34026
#define IDS_SIGNATURE_A 34028

#define IDC_SHOW_CURSOR 131
#define IDD_SETTINGS 133
#define IDB_PREVIEW 144

// Controls of the settings dialog.
#define IDC_MUTE 1004
#define IDC_ON_MOUSE_MOVE 1006
#define IDC_ON_MOUSE_CLICK 1007
#define IDC_ON_DOUBLE_CLICK 1008
#define IDC_ON_KEY_PRESSED 1009
#define IDC_ON_ESCAPE 1010
#define IDC_STANDARD_EXIT 1013
#define IDC_CUSTOM_EXIT 1014

// Password protection: the new-password dialog, the password dialog and their messages.
#define IDD_NEW_PASSWORD 102
#define IDD_PASSWORD 103
#define IDC_PASSWORD 1000
#define IDC_CONFIRM_PASSWORD 1001
#define IDC_NEW_PASSWORD 1002
#define IDS_WRONG_PASSWORD 33000
#define IDS_PASSWORDS_DIFFER 33001
#define IDS_PASSWORD_CHANGED 33002
#define IDS_PASSWORD_NOT_STORED 33003
