#include "media/win/MciDevice.h"

namespace saver::win {
namespace {

DWORD OpenFlags(bool shareable) { return MCI_OPEN_TYPE | MCI_WAIT | (shareable ? MCI_OPEN_SHAREABLE : 0); }

}  // namespace

MCIERROR CMciDevice::SendTo(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* parameters) {
  const MCIERROR result = mciSendCommandW(device, message, flags, reinterpret_cast<DWORD_PTR>(parameters));
  if (result != 0) last_error_ = result;
  return result;
}

MCIERROR CMciDevice::Send(UINT message, DWORD_PTR flags, void* parameters) {
  return SendTo(device_id_, message, flags, parameters);
}

MCIERROR CMciDevice::Open(const wchar_t* device_type, bool shareable) {
  MCI_OPEN_PARMSW open{};
  open.dwCallback = CallbackParameter();
  open.lpstrDeviceType = device_type;
  const MCIERROR result = SendTo(0, MCI_OPEN, OpenFlags(shareable), &open);
  if (result == 0) device_id_ = open.wDeviceID;
  return result;
}

MCIERROR CMciDevice::Open(UINT device_type_id, bool shareable) {
  MCI_OPEN_PARMSW open{};
  open.dwCallback = CallbackParameter();
  open.lpstrDeviceType = reinterpret_cast<LPCWSTR>(static_cast<UINT_PTR>(device_type_id));
  const MCIERROR result = SendTo(0, MCI_OPEN, OpenFlags(shareable) | MCI_OPEN_TYPE_ID, &open);
  if (result == 0) device_id_ = open.wDeviceID;
  return result;
}

MCIERROR CMciDevice::Close() {
  MCI_GENERIC_PARMS close{CallbackParameter()};
  return Send(MCI_CLOSE, 0, &close);
}

DWORD_PTR CMciDevice::Status(DWORD item) {
  MCI_STATUS_PARMS status{};
  status.dwCallback = CallbackParameter();
  status.dwItem = item;
  return Send(MCI_STATUS, MCI_STATUS_ITEM, &status) == 0 ? status.dwReturn : 0;
}

MCIERROR CMciDevice::Info(DWORD flags, wchar_t* buffer, DWORD buffer_size) {
  MCI_INFO_PARMSW info{};
  info.dwCallback = CallbackParameter();
  info.lpstrReturn = buffer;
  info.dwRetSize = buffer_size;
  return Send(MCI_INFO, flags, &info);
}

}  // namespace saver::win
