#pragma once
#include <windows.h>

#include <string>

namespace saver::win::testing_support {

// A company key of the tests' own under HKEY_CURRENT_USER\Software, emptied when made and when
// dropped, so that tests never touch a real saver's settings or calibration.
class TestRegistry {
 public:
  explicit TestRegistry(std::wstring company_key) : company_key_(std::move(company_key)) { Clear(); }
  ~TestRegistry() { Clear(); }
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  const std::wstring& CompanyKey() const { return company_key_; }
  std::wstring Path() const { return L"Software\\" + company_key_; }
  void Clear() const { RegDeleteTreeW(HKEY_CURRENT_USER, Path().c_str()); }

 private:
  std::wstring company_key_;
};

}  // namespace saver::win::testing_support
