#include "base/win/MessageBoxMessages.h"

#include <windows.h>

#include "base/win/TextConversion.h"

namespace saver::win {

void CMessageBoxMessages::ShowError(std::string_view text) {
  MessageBoxW(nullptr, WideFromAnsi(text).c_str(), caption_.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace saver::win
