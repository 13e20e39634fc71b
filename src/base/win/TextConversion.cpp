#include "base/win/TextConversion.h"

#include <windows.h>

namespace saver::win {
namespace {

std::wstring ToWide(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string FromWide(UINT code_page, std::wstring_view text) {
  if (text.empty()) return {};
  const int length =
      WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(length, '\0');
  WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                      nullptr);
  return narrow;
}

}  // namespace

std::wstring WideFromAnsi(std::string_view text) { return ToWide(CP_ACP, text); }
std::string AnsiFromWide(std::wstring_view text) { return FromWide(CP_ACP, text); }
std::wstring WideFromUtf8(std::string_view text) { return ToWide(CP_UTF8, text); }
std::string Utf8FromWide(std::wstring_view text) { return FromWide(CP_UTF8, text); }

}  // namespace saver::win
