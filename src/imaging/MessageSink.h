#pragma once
#include <string_view>

namespace saver {

// Where the picture code shows its few messages to the user. On Windows a plain OK message
// box owned by no window; tests record them instead.
class CMessageSink {
 public:
  virtual ~CMessageSink() = default;
  virtual void Show(std::string_view text) = 0;
};

}  // namespace saver
