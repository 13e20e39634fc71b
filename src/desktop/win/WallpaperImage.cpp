#include "desktop/win/WallpaperImage.h"

#include <windows.h>

#include <optional>

#include "base/win/ScopedWin.h"
#include "base/win/TextConversion.h"
#include "desktop/WallpaperSettings.h"
#include "desktop/win/FileBytes.h"
#include "desktop/win/RegistryText.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureFormat.h"
#include "imaging/PictureWriters.h"

namespace saver::win {
namespace {

constexpr const char* kClassicDesktopKey = "Control Panel\\Desktop";
constexpr const char* kActiveDesktopKey = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
constexpr const char* kBrowserKey = "Software\\Microsoft\\Internet Explorer";
constexpr DWORD kPathBytes = 520;
constexpr DWORD kNumberBytes = 260;
constexpr DWORD kVersionBytes = 30;
constexpr DWORD kDesktopHtmlMask = 0x200;   // SSF_DESKTOPHTML
constexpr BYTE kDesktopHtmlFlag = 0x40;     // fDesktopHTML in the first byte of SHELLFLAGSTATE
constexpr std::uint64_t kMaxWallpaperFileBytes = 256u << 20;
constexpr int kPlainDesktopQuality = 100;
// The copy of the current wallpaper that Windows keeps (a JPEG, whatever the original was).
constexpr const char* kTranscodedWallpaper = "%APPDATA%\\Microsoft\\Windows\\Themes\\TranscodedWallpaper";

Size ScreenSize() {
  CScopedWindowDC screen(nullptr);
  if (!screen) return {};
  return {GetDeviceCaps(screen.Get(), HORZRES), GetDeviceCaps(screen.Get(), VERTRES)};
}

// The primary screen and the desktop of every monitor, which the primary one starts at (0, 0) of.
ScreenLayout CurrentScreenLayout() {
  const Size screen = ScreenSize();
  const Rect desktop = Rect::FromSize(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                      GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  return desktop.IsEmpty() ? ScreenLayout::SingleMonitor(screen) : ScreenLayout{screen, desktop};
}

std::uint32_t DesktopColour() { return GetSysColor(COLOR_BACKGROUND); }

std::string ExpandEnvironment(const std::string& path) {
  char expanded[kPathBytes] = {};
  const DWORD length = ExpandEnvironmentStringsA(path.c_str(), expanded, kPathBytes);
  return length > 0 && length <= kPathBytes ? std::string(expanded) : path;
}

// The file to draw: the one the settings name, or, when that no longer exists, the copy that
// Windows keeps of the current wallpaper, if there is one. Empty for none.
std::string WallpaperFile(const std::string& path) {
  if (!IsUsableWallpaperPath(path)) return {};
  if (FileExists(WideFromAnsi(path))) return path;
  const std::string transcoded = ExpandEnvironment(kTranscodedWallpaper);
  return FileExists(WideFromAnsi(transcoded)) ? transcoded : std::string();
}

// BMP, JPEG and PNG wallpapers are drawn; any other picture counts as none.
std::optional<CPixelBuffer> ReadWallpaperPicture(const std::string& path) {
  const auto bytes = ReadFileBytes(WideFromAnsi(path), kMaxWallpaperFileBytes);
  if (!bytes) return std::nullopt;
  const PictureFormat format = DetectPictureFormat(*bytes, path);
  if (format != PictureFormat::Bmp && format != PictureFormat::Jpeg && format != PictureFormat::Png) {
    return std::nullopt;
  }
  struct Quiet final : CMessageSink {
    void Show(std::string_view) override {}
  } quiet;
  Size size;
  return DecodePicture(*bytes, size, quiet);
}

}  // namespace

WallpaperSetting ReadWallpaperSetting(bool active_desktop) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, active_desktop ? kActiveDesktopKey : kClassicDesktopKey, 0, KEY_READ,
                    &opened) != ERROR_SUCCESS) {
    return {};
  }
  ScopedRegKey key(opened);
  std::optional<std::string> path = ReadKeyText(key.Get(), "Wallpaper", kPathBytes);
  const std::optional<std::string> style = ReadKeyText(key.Get(), "WallpaperStyle", kNumberBytes);
  if (!path || !style) return {};
  const std::optional<std::string> tile = ReadKeyText(key.Get(), "TileWallpaper", kNumberBytes);
  // Expanded whether or not a tiling value is there: an unexpanded "%...%" path never opens.
  return {active_desktop ? ExpandEnvironment(*path) : *path, WallpaperStyleFromValues(style, tile)};
}

bool ActiveDesktopOn() {
  if (!ReadRegistryText(HKEY_LOCAL_MACHINE, kBrowserKey, "Version", kVersionBytes)) return false;
  const ScopedLibrary shell(LoadLibraryW(L"shell32.dll"));
  if (!shell) return false;
  using GetSettings = void(WINAPI*)(BYTE*, DWORD);
  const auto get_settings =
      reinterpret_cast<GetSettings>(reinterpret_cast<void*>(GetProcAddress(shell.Get(), "SHGetSettings")));
  if (!get_settings) return false;
  BYTE state[8] = {};  // SHELLFLAGSTATE is one 32-bit set of bit fields
  get_settings(state, kDesktopHtmlMask);
  return (state[0] & kDesktopHtmlFlag) != 0;
}

bool PrepareWallpaper(const std::wstring& output, std::uint32_t& style, CMessageSink& messages) {
  WallpaperSetting setting = ReadWallpaperSetting(false);
  if (!setting.path.empty()) style = static_cast<std::uint32_t>(setting.style);
  if (ActiveDesktopOn()) {
    // The Active Desktop's wallpaper replaces the classic one even when it has none.
    setting = ReadWallpaperSetting(true);
    style = static_cast<std::uint32_t>(setting.style);
  }
  std::optional<CPixelBuffer> picture;
  if (const std::string file = WallpaperFile(setting.path); !file.empty()) picture = ReadWallpaperPicture(file);
  if (!picture) return WritePlainDesktopImage(output);
  const auto composed = ComposeWallpaper(*picture, CurrentScreenLayout(), setting.style, DesktopColour());
  if (!composed) {
    messages.Show(kWallpaperMemoryMessage);
    return true;
  }
  WriteFileBytes(output, EncodeBmp(*composed));
  return true;
}

bool WritePlainDesktopImage(const std::wstring& output) {
  const auto plain = PlainDesktop(ScreenSize(), DesktopColour());
  if (!plain) return false;
  const auto jpeg = EncodeJpeg(*plain, kPlainDesktopQuality);
  return jpeg && WriteFileBytes(output, *jpeg);
}

}  // namespace saver::win
