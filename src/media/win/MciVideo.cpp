#include "media/win/MciVideo.h"

#include <digitalv.h>

#include <string>

#include "media/win/MciFileName.h"

namespace saver::win {

MCIERROR OpenVideo(const wchar_t* file_name, HWND parent, DWORD flags, MCIDEVICEID& device) {
  std::wstring element = MciFileName(file_name);
  MCI_DGV_OPEN_PARMSW open{};
  open.lpstrElementName = element.data();
  open.dwStyle = WS_CHILD | WS_VISIBLE;
  open.hWndParent = parent;
  const MCIERROR result = mciSendCommandW(0, MCI_OPEN, MCI_DGV_OPEN_PARENT | MCI_DGV_OPEN_WS | MCI_OPEN_ELEMENT | flags,
                                          reinterpret_cast<DWORD_PTR>(&open));
  if (result == 0) device = open.wDeviceID;
  return result;
}

SIZE VideoSize(MCIDEVICEID device) {
  MCI_DGV_RECT_PARMS where{};
  if (mciSendCommandW(device, MCI_WHERE, MCI_DGV_WHERE_SOURCE, reinterpret_cast<DWORD_PTR>(&where)) != 0) return {};
  // The source rectangle starts at (0, 0): its right and bottom are the video's size.
  return {where.rc.right, where.rc.bottom};
}

MCIERROR StopVideo(MCIDEVICEID device) {
  const MCIERROR result = mciSendCommandW(device, MCI_STOP, MCI_WAIT, 0);
  if (result == 0) return 0;
  MCI_STATUS_PARMS status{};
  status.dwItem = MCI_STATUS_MODE;
  const bool stopped = mciSendCommandW(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) == 0 &&
                       status.dwReturn == MCI_MODE_STOP;
  return stopped ? 0 : result;
}

}  // namespace saver::win
