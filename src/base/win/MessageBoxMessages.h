#pragma once
#include <string>

#include "base/UserMessages.h"

namespace saver::win {

// Shows each message in a message box with the error icon, owned by no window.
class CMessageBoxMessages final : public CUserMessages {
 public:
  explicit CMessageBoxMessages(std::wstring caption) : caption_(std::move(caption)) {}
  void ShowError(std::string_view text) override;

 private:
  std::wstring caption_;
};

}  // namespace saver::win
