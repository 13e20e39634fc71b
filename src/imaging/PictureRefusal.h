#pragma once
#include <string>

namespace saver {

// Why a reader refused a picture, in words for the user. Readers that know no more than that
// the picture failed leave it Unknown.
struct PictureRefusal {
  enum class Reason { Unknown, TooLarge, Damaged };
  Reason reason = Reason::Unknown;
  std::string message;
};

}  // namespace saver
