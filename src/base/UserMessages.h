#pragma once
#include <string_view>

namespace saver {

// Where the items' messages to the user go. The Win32 shell shows a message box with the error
// icon; tests collect the texts. Texts are in the ANSI code page, like every package string.
class CUserMessages {
 public:
  virtual ~CUserMessages() = default;
  virtual void ShowError(std::string_view text) = 0;
};

}  // namespace saver
