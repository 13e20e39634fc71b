#pragma once
// The application object: start-up common to every mode, the choice of mode from the command line,
// and the clean-up at process end.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/ItemRegistry.h"
#include "app/OwnPackage.h"
#include "base/win/MessageBoxMessages.h"
#include "imaging/win/MessageBoxSink.h"
#include "scene/win/GdiImageMeasurer.h"
#include "ui/win/RegistryProfile.h"

namespace saver::win {

class CSaverWnd;
class CPreviewWnd;
class CSceneThread;

class CSaverApp {
 public:
  CSaverApp();
  CSaverApp(const CSaverApp&) = delete;
  CSaverApp& operator=(const CSaverApp&) = delete;
  // Process end: the show stopped, windows and items deleted, both temporary pictures deleted.
  ~CSaverApp();

  // Start-up and the mode of `argument` (the first command-line argument, if any) with `handle_text`
  // (the second). True when a window was created and the message loop must run.
  bool InitInstance(std::optional<std::wstring> argument, std::optional<std::wstring> handle_text);

 private:
  bool RunShow();
  bool RunPreview(const std::optional<std::wstring>& handle_text);
  void ShowSettings(HWND owner);
  void ChangePasswordOwnedBy(const std::optional<std::wstring>& handle_text);
  bool ReadOwnSaverFile();

  CMessageBoxMessages messages_;
  CMessageBoxSink picture_messages_;               // the decoders' own message boxes
  CGdiImageMeasurer measurer_{picture_messages_};  // image validation: picture sizes, rendered texts
  std::unique_ptr<CItemRegistry> registry_;
  OwnPackageHeader package_header_;
  std::uint32_t times_ = 0;            // calibration count: event polls per second
  std::uint32_t wallpaper_state_ = 0;  // style of the desktop wallpaper, filled with the wallpaper
  std::wstring desktop_path_;
  std::wstring wallpaper_path_;
  std::wstring application_name_;
  std::string link_to_open_;
  std::unique_ptr<CRegistryProfile> profile_;
  std::unique_ptr<CSaverWnd> saver_window_;
  std::unique_ptr<CSceneThread> scene_thread_;
  std::unique_ptr<CPreviewWnd> preview_window_;
};

}  // namespace saver::win
