#pragma once
// Names of the profile values, as plain macros because the resource compiler reads this file too:
// the engine's string table carries each one under its string id (resource.h).
#define SAVER_PROFILE_SECTION "Settings"
#define SAVER_PROFILE_STANDARD "Standard"
#define SAVER_PROFILE_MOUSE_MOVE "MouseMove"
#define SAVER_PROFILE_BUTTON_DOWN "ButtonDown"
#define SAVER_PROFILE_DOUBLE_CLICK "DoubleClick"
#define SAVER_PROFILE_KEY_DOWN "KeyDown"
#define SAVER_PROFILE_ESCAPE "Escape"
#define SAVER_PROFILE_MUTE "Mute"
#define SAVER_PROFILE_LOW_POWER_PACING "LowPowerPacing"
#define SAVER_CALIBRATION_SYSINFO "SysInfo"
#define SAVER_CALIBRATION_TIMES "Times"
