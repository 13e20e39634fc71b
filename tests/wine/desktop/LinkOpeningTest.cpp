#include "desktop/win/LinkOpening.h"

#include <gtest/gtest.h>


#include "support/win/ScopedRegistryValue.h"
#include "DesktopFixtures.h"

namespace saver::win {
namespace {

using testing_support::ScopedRegistryValue;
using testing_support::TemporaryPath;

// The http handler's registration in the test prefix, put back when the test ends.
class HttpHandler {
 public:
  ~HttpHandler() { RegDeleteTreeW(HKEY_CLASSES_ROOT, L"HTTP\\shell\\guardverb"); }
  void SetDefaultVerb(const std::optional<std::wstring>& verb) const {
    if (verb) {
      verb_.SetText(*verb);
    } else {
      verb_.Remove();
    }
  }
  void SetVerbCommand(const std::wstring& command) const {
    // The key is new and goes as a whole when the handler object is dropped.
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CLASSES_ROOT, L"HTTP\\shell\\guardverb\\command", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    RegSetValueExW(key, L"", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  void SetOpenCommand(const std::wstring& command) const { open_.SetText(command); }

 private:
  ScopedRegistryValue verb_{HKEY_CLASSES_ROOT, L"HTTP\\shell", L""};
  ScopedRegistryValue open_{HKEY_CLASSES_ROOT, L"HTTP\\shell\\open\\command", L""};
};

TEST(DefaultBrowser, FindsTheCleanedCommandOfTheDefaultVerbAndOfOpen) {
  HttpHandler handler;
  handler.SetVerbCommand(L"\"C:\\Program Files\\Guard Web\\BROWSER.EXE\" -nohome \"%1\"");
  handler.SetOpenCommand(L"C:\\Tools\\Web.exe %1");

  handler.SetDefaultVerb(L"guardverb");
  EXPECT_EQ(DefaultBrowserFromDefaultVerb(), "c:\\program files\\guard web\\browser.exe");
  EXPECT_EQ(DefaultBrowserFromOpenCommand(), "c:\\tools\\web.exe");

  handler.SetDefaultVerb(L"noverb");  // a verb without a command
  EXPECT_EQ(DefaultBrowserFromDefaultVerb(), "");
  handler.SetDefaultVerb(std::nullopt);
  EXPECT_EQ(DefaultBrowserFromDefaultVerb(), "");
  EXPECT_EQ(DefaultBrowserFromOpenCommand(), "c:\\tools\\web.exe");
}

std::wstring ProbePath() {
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring path = module;
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"link_handler_probe.exe";
}

std::string WaitForContent(const TemporaryPath& file) {
  for (int waited = 0; waited < 30000; waited += 50) {
    if (file.Exists()) {
      Sleep(100);  // let the probe finish writing
      const auto bytes = file.Content();
      return std::string(bytes.begin(), bytes.end());
    }
    Sleep(50);
  }
  return {};
}

// The probe registered as the http handler, writing what it receives to `received`.
class OpenLinkTest : public ::testing::Test {
 protected:
  OpenLinkTest() {
    handler_.SetDefaultVerb(L"open");
    handler_.SetOpenCommand(L"\"" + ProbePath() + L"\" \"" + received_.Wide() + L"\" \"%1\"");
  }
  TemporaryPath received_{L"guard-link-received.txt"};
  HttpHandler handler_;
};

TEST_F(OpenLinkTest, HandsTheLinkToTheRegisteredHttpHandler) {
  OpenLink("http://example.invalid/guard/page.html");
  EXPECT_EQ(WaitForContent(received_), "http://example.invalid/guard/page.html");
}

TEST_F(OpenLinkTest, AnEmptyLinkOpensNothing) {
  OpenLink("");
  Sleep(2000);  // a started probe would have written by now; nothing may appear
  EXPECT_FALSE(received_.Exists());
}

}  // namespace
}  // namespace saver::win
