#pragma once
#include "imaging/MessageSink.h"

namespace saver::win {

// Shows each message as a plain OK message box owned by no window (ANSI text).
class CMessageBoxSink final : public CMessageSink {
 public:
  void Show(std::string_view text) override;
};

}  // namespace saver::win
