#include "app/win/SaverApp.h"

#include <shellapi.h>

#include "app/CommandLine.h"
#include "app/win/SeedSources.h"
#include "base/win/TextConversion.h"
#include "base/win/Window.h"
#include "desktop/win/DesktopCapture.h"
#include "desktop/win/LinkOpening.h"
#include "desktop/win/WallpaperImage.h"
#include "imaging/win/MessageBoxSink.h"
#include "media/win/ScenePlayers.h"
#include "package/win/MappedFileSource.h"
#include "package/win/SystemAnsiText.h"
#include "res/resource.h"
#include "scene/win/SceneThread.h"
#include "scene/win/WindowShow.h"
#include "ui/win/PasswordGate.h"
#include "ui/win/PreviewWnd.h"
#include "ui/win/SaverWnd.h"
#include "ui/win/SettingsDialog.h"

namespace saver::win {
namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring CTemporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

// The file's name as Explorer shows it, with or without extension after the user's settings.
std::wstring DisplayName(const std::wstring& path) {
  SHFILEINFOW info{};
  if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME) && info.szDisplayName[0])
    return info.szDisplayName;
  return path.substr(path.find_last_of(L"\\/") + 1);
}

}  // namespace

CSaverApp::CSaverApp()
    : messages_(L""), registry_(std::make_unique<CItemRegistry>(messages_, &measurer_)) {}

CSaverApp::~CSaverApp() {
  // The window's destruction stops the show, so it goes before the thread object and the items.
  saver_window_.reset();
  scene_thread_.reset();
  preview_window_.reset();
  registry_.reset();
  if (!desktop_path_.empty()) DeleteFileW(desktop_path_.c_str());
  if (!wallpaper_path_.empty()) DeleteFileW(wallpaper_path_.c_str());
  OpenLink(link_to_open_);
}

bool CSaverApp::InitInstance(std::optional<std::wstring> argument, std::optional<std::wstring> handle_text) {
  const std::wstring temporary = CTemporaryFolder();
  desktop_path_ = temporary + L"desktop.bmp";
  wallpaper_path_ = temporary + L"wallpaper.bmp";
  // Both pictures are taken in every mode, before any window of the saver covers the desktop.
  CaptureDesktop(desktop_path_);
  CMessageBoxSink wallpaper_messages;
  PrepareWallpaper(wallpaper_path_, wallpaper_state_, wallpaper_messages);
  application_name_ = DisplayName(ModulePath());
  profile_ = std::make_unique<CRegistryProfile>(LoadResourceString(IDS_PROFILE_KEY), application_name_);

  std::optional<std::string> mode_text;
  if (argument) mode_text = Utf8FromWide(*argument);
  switch (ModeFromArgument(mode_text)) {
    case SaverMode::Run: return RunShow();
    case SaverMode::Preview: return RunPreview(handle_text);
    case SaverMode::Settings: ShowSettings(GetForegroundWindow()); return false;
    case SaverMode::SettingsWithoutOwner: ShowSettings(nullptr); return false;
    case SaverMode::ChangePassword: ChangePasswordOwnedBy(handle_text); return false;
    case SaverMode::None: return false;
  }
  return false;
}

// The file is mapped for reading, shared for reading, and stays mapped while the items refer to
// their pictures and media in it.
bool CSaverApp::ReadOwnSaverFile() {
  return ReadOwnPackage(CMappedFileSource::Map(ModulePath()), *registry_, package_header_, &SystemAnsiFromUtf16);
}

bool CSaverApp::RunShow() {
  if (!ReadOwnSaverFile()) return false;
  if (!CWindow::RegisterSaverClass(GetModuleHandleW(nullptr))) return false;
  saver_window_ = std::make_unique<CSaverWnd>(
      SaverWindowContext{*profile_, package_header_.exit_button_flag != 0, times_, link_to_open_});
  if (!saver_window_->Create()) {
    saver_window_.reset();
    return false;
  }
  const CItemList& items = registry_->Items();
  scene_thread_ = std::make_unique<CSceneThread>(
      *saver_window_, &times_, false,
      [&items, window = saver_window_->Handle(), files = ShowPictureFiles{desktop_path_, wallpaper_path_}](
          CSceneRuntime& runtime) { RunItemsOnWindow(items, runtime, window, files); },
      SystemSeedSources(*profile_));
  scene_thread_->UseMedia(std::make_unique<CScenePlayers>(
      MediaSettings{saver_window_->Handle(), saver_window_->Mute(), package_header_.exit_button_flag != 0},
      scene_thread_->StopEvent(), messages_));
  saver_window_->AttachShow(scene_thread_.get());
  if (!scene_thread_->Start()) {
    saver_window_.reset();
    scene_thread_.reset();
    return false;
  }
  return true;
}

bool CSaverApp::RunPreview(const std::optional<std::wstring>& handle_text) {
  std::optional<std::string> text;
  if (handle_text) text = Utf8FromWide(*handle_text);
  const std::optional<std::uintptr_t> parent = WindowHandleFromArgument(text);
  if (!parent) return false;
  const HWND parent_window = reinterpret_cast<HWND>(*parent);
  if (!IsWindow(parent_window)) return false;
  CWindow::RegisterSaverClass(GetModuleHandleW(nullptr));
  preview_window_ = std::make_unique<CPreviewWnd>(application_name_);
  if (!preview_window_->Create(parent_window)) {
    preview_window_.reset();
    return false;
  }
  return true;
}

void CSaverApp::ShowSettings(HWND owner) { ShowSettingsDialog(owner, *profile_); }

// Without a usable owner window the mode ends quietly, as the other modes do on bad arguments.
void CSaverApp::ChangePasswordOwnedBy(const std::optional<std::wstring>& handle_text) {
  std::optional<std::string> text;
  if (handle_text) text = Utf8FromWide(*handle_text);
  const std::optional<std::uintptr_t> owner = WindowHandleFromArgument(text);
  if (!owner || !IsWindow(reinterpret_cast<HWND>(*owner))) return;
  ChangePassword(reinterpret_cast<HWND>(*owner), CPasswordStore(profile_->ApplicationKeyPath()));
}

}  // namespace saver::win
