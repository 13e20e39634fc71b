#pragma once
// What the two video windows share: opening a video file in a child window of theirs and asking
// for the video's size.
#include <windows.h>
#include <mmsystem.h>

namespace saver::win {

// MCI_OPEN of `file_name` (the device chosen by its extension) in a visible child window of
// `parent`; `flags` adds MCI_WAIT or not. On success `device` holds the new device.
MCIERROR OpenVideo(const wchar_t* file_name, HWND parent, DWORD flags, MCIDEVICEID& device);
// The video's source size from MCI_WHERE; 0 x 0 when the device cannot tell.
SIZE VideoSize(MCIDEVICEID device);
// MCI_STOP with MCI_WAIT; a failure is only reported when the device still plays afterwards, since
// a device may fail the stop of a sound part that the video lacks although its picture has stopped.
MCIERROR StopVideo(MCIDEVICEID device);

}  // namespace saver::win
