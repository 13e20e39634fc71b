#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/MessageSink.h"
#include "imaging/PixelBuffer.h"
#include "scene/ImageCanvas.h"
#include "scene/PathProperty.h"

namespace saver {

class CImageItem;

// What image and line items need from the show beyond the scene runtime: the screen they draw
// on with its sizes and background colour, the rendering of texts, the snapshot files and the
// plain message boxes of the show. The scene thread provides it over the saver window; tests
// provide it in memory.
class CImageStage {
 public:
  virtual ~CImageStage() = default;

  virtual CImageCanvas& Screen() = 0;
  virtual ScreenMetrics Metrics() const = 0;
  // The saver window's background colour (COLORREF), which erasing fills with.
  virtual std::uint32_t WindowBackground() const = 0;
  // The item's text, or `text` when it is not empty, drawn in the item's font, colours and text
  // format on its background colour (opaque) or on the key colour; nothing when it cannot be.
  virtual std::optional<CPixelBuffer> RenderText(CImageItem& item, std::string_view text) = 0;
  // Plain OK message boxes owned by no window.
  virtual CMessageSink& Messages() = 0;
  // Where the desktop snapshot (source mode 2) and the wallpaper picture (3) were written.
  virtual std::string SnapshotPath(std::uint32_t source_mode) const = 0;
  // The name the system shows for a file.
  virtual std::string DisplayName(const std::string& path) const = 0;
  // The operating-system class of the running system (ClassifyOperatingSystem).
  virtual int OperatingSystemClass() const = 0;
};

}  // namespace saver
