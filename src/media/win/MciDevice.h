#pragma once
// One device of the Media Control Interface, driven by command messages. Every command carries the
// callback window, where the device's notifications arrive. Failures are only remembered.
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

namespace saver::win {

class CMciDevice {
 public:
  CMciDevice() = default;
  CMciDevice(const CMciDevice&) = delete;
  CMciDevice& operator=(const CMciDevice&) = delete;
  virtual ~CMciDevice() = default;

  // MCI_OPEN of a device by its type name, waiting for the open.
  virtual MCIERROR Open(const wchar_t* device_type, bool shareable);
  // MCI_OPEN of a device by its type id (MCI_DEVTYPE_...).
  virtual MCIERROR Open(UINT device_type_id, bool shareable);
  virtual MCIERROR Close();
  // MCI_STATUS of `item`; 0 when the command fails.
  virtual DWORD_PTR Status(DWORD item);
  virtual DWORD_PTR Mode() { return Status(MCI_STATUS_MODE); }
  virtual MCIERROR Info(DWORD flags, wchar_t* buffer, DWORD buffer_size);

  void SetCallbackWindow(HWND window) { callback_window_ = window; }
  HWND CallbackWindow() const { return callback_window_; }
  MCIDEVICEID DeviceId() const { return device_id_; }
  MCIERROR LastError() const { return last_error_; }

 protected:
  // The one way every command goes; a failure is kept as the last error.
  MCIERROR Send(UINT message, DWORD_PTR flags, void* parameters);
  MCIERROR SendTo(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* parameters);
  void KeepDevice(MCIDEVICEID device) { device_id_ = device; }
  DWORD_PTR CallbackParameter() const { return reinterpret_cast<DWORD_PTR>(callback_window_); }

 private:
  MCIDEVICEID device_id_ = 0;
  HWND callback_window_ = nullptr;
  MCIERROR last_error_ = 0;
};

}  // namespace saver::win
