#include "ui/PasswordScrambler.h"

#include <algorithm>
#include <cstring>

#include "base/MsvcRand.h"

namespace saver {
namespace {

constexpr std::uint32_t kScramblerSeed = 6847;
constexpr int kLastPosition = 51;
constexpr int kPrintableCount = 94;  // space to '}'
constexpr int kFirstPrintable = 32;

}  // namespace

std::string ScramblePassword(const std::string& password) {
  const std::size_t n = std::min(password.size(), kMaxPasswordLength);
  if (n == 0) return {};
  MsvcSrand(kScramblerSeed);
  char text[kLastPosition + 2] = {'x'};  // 52 characters and the terminator
  const int step = kLastPosition / static_cast<int>(n);
  std::size_t next = 0;
  for (int i = kLastPosition; i >= 1; --i) {
    // For lengths such as 9 the step meets more positions than there are characters; those
    // get filler too. Ending the text there would cut off every character placed above it and
    // make all passwords of such a length scramble alike.
    if (i % step == 0 && next < n) {
      text[i] = static_cast<char>(static_cast<unsigned char>(password[next++]) * 4);
    } else {
      text[i] = static_cast<char>(MsvcRand() % kPrintableCount + kFirstPrintable);
    }
  }
  return std::string(text, std::strlen(text));
}

}  // namespace saver
