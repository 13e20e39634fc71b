#pragma once
#include <optional>
#include <string>
#include <utility>

namespace saver {

// Why a reader refused a picture, in words for the user. Readers that know no more than that
// the picture failed leave it Unknown.
struct PictureRefusal {
  enum class Reason { Unknown, TooLarge, Damaged };
  Reason reason = Reason::Unknown;
  std::string message;
};

// A reader's refusal of damaged data: sets `refusal`, when given, to `message` ("BMP decoder:
// the pixel data is cut short") and gives nothing, for `return RefuseDamaged(...)`.
inline std::nullopt_t RefuseDamaged(PictureRefusal* refusal, std::string message) {
  if (refusal) *refusal = {PictureRefusal::Reason::Damaged, std::move(message)};
  return std::nullopt;
}

}  // namespace saver
