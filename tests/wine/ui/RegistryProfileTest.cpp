#include "ui/win/RegistryProfile.h"

#include <gtest/gtest.h>

#include "support/win/TestRegistry.h"
#include "ui/SettingsTable.h"

namespace saver::win {
namespace {

using testing_support::TestRegistry;

TEST(RegistryProfileTest, AbsentValuesReadAsTheirDefaults) {
  TestRegistry registry(L"Saver Tests\\Profile");
  CRegistryProfile profile(registry.CompanyKey(), L"fresh.scr");
  for (const SettingDeclaration& declaration : kSettings)
    EXPECT_EQ(ReadSetting(profile, declaration.setting), declaration.default_value) << declaration.name;
}

TEST(RegistryProfileTest, ValuesLiveUnderTheApplicationsSettingsKey) {
  TestRegistry registry(L"Saver Tests\\Profile");
  CRegistryProfile profile(registry.CompanyKey(), L"My Saver.scr");
  WriteSetting(profile, Setting::Escape, 1);
  WriteSetting(profile, Setting::Standard, 0);
  WriteSetting(profile, Setting::Mute, -7);

  DWORD value = 0, size = sizeof(value);
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (registry.Path() + L"\\My Saver.scr\\Settings").c_str(), L"Escape",
                         RRF_RT_REG_DWORD, nullptr, &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(ReadSetting(profile, Setting::Standard), 0);
  EXPECT_EQ(ReadSetting(profile, Setting::Mute), -7);
  // Another file name is another saver with settings of its own.
  CRegistryProfile renamed(registry.CompanyKey(), L"Renamed.scr");
  EXPECT_EQ(ReadSetting(renamed, Setting::Escape), 0);
}

TEST(RegistryProfileTest, ValueOfAnotherTypeReadsAsTheDefault) {
  TestRegistry registry(L"Saver Tests\\Profile");
  CRegistryProfile profile(registry.CompanyKey(), L"typed.scr");
  const std::wstring key = registry.Path() + L"\\typed.scr\\Settings";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Standard", REG_SZ, L"0", 4), ERROR_SUCCESS);
  EXPECT_EQ(ReadSetting(profile, Setting::Standard), 1);
}

TEST(CalibrationStoreTest, WritesAndReadsBackUnderTheCompanyKey) {
  TestRegistry registry(L"Saver Tests\\Calibration");
  EXPECT_EQ(ReadCalibration(registry.Path()).times, 0u);
  WriteCalibration(registry.Path(), {"4096,65536,1,2", 987654});
  const StoredCalibration stored = ReadCalibration(registry.Path());
  EXPECT_EQ(stored.fingerprint, "4096,65536,1,2");
  EXPECT_EQ(stored.times, 987654u);

}

TEST(ResourceStringTest, ProfileKeyComesFromTheStringTable) {
  EXPECT_EQ(LoadResourceString(33004), L"Brightvane\\Screen Saver");
  EXPECT_EQ(LoadResourceString(33007), L"Standard");
  EXPECT_EQ(LoadResourceString(34024), L"SysInfo");
  EXPECT_EQ(LoadResourceString(1), L"");
}

}  // namespace
}  // namespace saver::win
