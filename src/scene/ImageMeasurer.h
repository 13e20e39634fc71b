#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "imaging/MessageSink.h"
#include "imaging/Rect.h"
#include "package/StoredBytes.h"

namespace saver {

class CImageItem;

// The picture work that image validation needs and the item model does not do itself: decoding a
// picture's bytes to learn its size, and rendering an image item's text (which leaves the rendered
// pixels in the item's image buffer). Provided by the pictures code; held by the item registry.
//
// Measuring every picture of a show can take much of its start-up (a picture of a format other
// than JPEG is decoded whole), so the pictures can be measured ahead, on every core at once: each picture's messages are kept and shown only when validation,
// in item order, asks for that picture, and a picture that fails stops the measuring of the
// pictures after it, as validation stops there.
class CImageMeasurer {
 public:
  explicit CImageMeasurer(CMessageSink& messages) : messages_(messages) {}
  virtual ~CImageMeasurer() = default;
  CImageMeasurer(const CImageMeasurer&) = delete;
  CImageMeasurer& operator=(const CImageMeasurer&) = delete;

  // Measures these pictures (in validation order) now, on up to `threads` threads. The bytes
  // must stay where they are until they are asked for.
  void MeasureAhead(const std::vector<const CStoredBytes*>& pictures, unsigned threads);
  // The natural size, or nothing when the bytes do not decode, after the decoder's messages:
  // the result measured ahead for these bytes, or a measure made now.
  std::optional<Size> MeasurePicture(const CStoredBytes& bytes);
  // The rendered size of the item's text, or nothing when it cannot be rendered.
  virtual std::optional<Size> RenderText(CImageItem& item) = 0;

 protected:
  // Decodes enough of the picture to learn its size; runs on several threads at once.
  virtual std::optional<Size> Measure(std::span<const std::uint8_t> bytes, CMessageSink& messages) = 0;

 private:
  std::optional<Size> MeasureStored(const CStoredBytes& bytes, CMessageSink& messages);

  struct Measured {
    bool done = false;
    std::optional<Size> size;
    std::vector<std::string> messages;
  };
  CMessageSink& messages_;
  std::vector<Measured> measured_;
  std::unordered_map<const CStoredBytes*, std::size_t> index_of_;  // by the bytes' address
};

}  // namespace saver
