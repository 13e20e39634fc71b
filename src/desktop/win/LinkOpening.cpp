#include "desktop/win/LinkOpening.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>

#include "base/OperatingSystemClass.h"
#include "base/win/ScopedWin.h"
#include "base/win/TextConversion.h"
#include "desktop/BrowserCommandLine.h"
#include "desktop/win/FileBytes.h"
#include "desktop/win/RegistryText.h"

namespace saver::win {
namespace {

constexpr DWORD kCommandBytes = 260;
constexpr int kWindows2000Class = 4;

std::string BrowserFromCommandKey(const std::string& subkey) {
  const auto command = ReadRegistryText(HKEY_CLASSES_ROOT, subkey, "", kCommandBytes, KEY_QUERY_VALUE);
  return command ? CleanBrowserCommandLine(*command) : std::string();
}

bool IsExistingBrowser(const std::string& browser) { return !browser.empty() && FileExists(WideFromAnsi(browser)); }

std::string FolderOf(const std::string& path) {
  const auto separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

void StartBrowserAndWait(const std::string& browser, const std::string& link) {
  const std::string folder = FolderOf(browser);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT;
  info.lpVerb = "open";
  info.lpFile = browser.c_str();
  info.lpParameters = link.c_str();
  info.lpDirectory = folder.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&info)) return;
  ScopedHandle process(info.hProcess);
  if (process) WaitForSingleObject(process.Get(), INFINITE);
}

}  // namespace

int SystemOperatingSystemClass() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  std::optional<SystemVersion> version;
  if (GetVersionExA(&info)) version = SystemVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
  return ClassifyOperatingSystem(version);
}

std::string DefaultBrowserFromDefaultVerb() {
  const auto verb = ReadRegistryText(HKEY_CLASSES_ROOT, "HTTP\\shell", "", kCommandBytes, KEY_QUERY_VALUE);
  if (!verb) return {};
  return BrowserFromCommandKey("HTTP\\shell\\" + *verb + "\\command");
}

std::string DefaultBrowserFromOpenCommand() { return BrowserFromCommandKey("HTTP\\shell\\open\\command"); }

void OpenLink(const std::string& link) {
  if (link.empty()) return;
  if (SystemOperatingSystemClass() != kWindows2000Class) {
    ShellExecuteA(nullptr, "open", link.c_str(), "", "", SW_SHOWNOACTIVATE);
    return;
  }
  std::string browser = DefaultBrowserFromDefaultVerb();
  if (!IsExistingBrowser(browser)) browser = DefaultBrowserFromOpenCommand();
  if (IsExistingBrowser(browser)) StartBrowserAndWait(browser, link);
}

}  // namespace saver::win
