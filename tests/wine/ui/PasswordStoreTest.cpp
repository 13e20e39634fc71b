#include "ui/win/PasswordStore.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/win/TestRegistry.h"
#include "support/win/ScopedRegistryValue.h"
#include "ui/PasswordScrambler.h"

namespace saver::win {
namespace {

using testing_support::ScopedRegistryValue;
using testing_support::TestRegistry;

struct SwitchCase {
  const char* name;
  DWORD type;
  std::vector<BYTE> data;  // empty: the value is absent
  bool on;
};

TEST(PasswordProtectionSwitch, ReadsNumbersAndTextsAndTreatsAbsentAsOff) {
  const SwitchCase cases[] = {
      {"absent", REG_NONE, {}, false},
      {"number 1", REG_DWORD, {1, 0, 0, 0}, true},
      {"number 0", REG_DWORD, {0, 0, 0, 0}, false},
      {"number in the high byte", REG_DWORD, {0, 0, 0, 1}, true},
      {"binary of two bytes", REG_BINARY, {0, 1}, true},
      {"text 1", REG_SZ, {'1', 0, 0, 0}, true},
      {"text 0", REG_SZ, {'0', 0, 0, 0}, false},
      {"longer than a number", REG_BINARY, std::vector<BYTE>(64, 1), false},
  };
  ScopedRegistryValue value(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"ScreenSaveUsePassword");
  for (const SwitchCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.data.empty()) {
      value.Remove();
    } else {
      // Texts are given as UTF-16 code units of one byte each ("1" is 31 00).
      value.Set(c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    }
    EXPECT_EQ(PasswordProtectionOn(), c.on);
  }
}

TEST(PasswordStore, KeepsScrambledTextsWithEveryByteValueAndEmptyRemovesIt) {
  TestRegistry registry(L"Guard Password Store Test");
  const CPasswordStore store(registry.Path() + L"\\Saver");
  EXPECT_EQ(store.Stored(), "");  // nothing stored yet
  for (const std::string& password : {std::string("a"), std::string("secret"), std::string("ABCDEFGH"),
                                      std::string("{}~|"), std::string(51, 'z')}) {
    const std::string scrambled = ScramblePassword(password);
    ASSERT_TRUE(store.Store(scrambled));
    EXPECT_EQ(store.Stored(), scrambled) << password;
  }
  ASSERT_TRUE(store.Store(""));
  EXPECT_EQ(store.Stored(), "");
}

TEST(PasswordStore, LivesUnderTheSaversPasswordSectionAsEncrypt) {
  TestRegistry registry(L"Guard Password Store Test");
  const CPasswordStore store(registry.Path() + L"\\Saver");
  ASSERT_TRUE(store.Store(ScramblePassword("abc")));
  char text[64] = {};
  DWORD size = sizeof(text);
  const std::wstring key = registry.Path() + L"\\Saver\\Password";
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, std::string(key.begin(), key.end()).c_str(), "Encrypt", RRF_RT_REG_SZ,
                         nullptr, text, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(text), ScramblePassword("abc"));
}

}  // namespace
}  // namespace saver::win
