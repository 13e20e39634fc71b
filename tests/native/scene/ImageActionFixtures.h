#pragma once
// Pictures, actions and screen comparisons shared by the native and the Wine tests of the image
// actions. Pictures are made here and encoded as BMP, the format every build decodes.
#include <cstdint>
#include <memory>

#include "imaging/PictureWriters.h"
#include "imaging/PixelBuffer.h"
#include "model/SceneItem.h"
#include "scene/ImageCanvas.h"
#include "scene/ImageItem.h"

namespace saver::testing_support {

// Every pixel differs from its neighbours, and no pixel is grey, so none matches the key colour.
inline CPixelBuffer Pattern(int width, int height, int seed) {
  CPixelBuffer pixels(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.SetPixel(x, y, static_cast<std::uint32_t>((x * 37 + y * 101 + seed * 53) % 200 + 40) |
                                (static_cast<std::uint32_t>((x * 11 + seed) % 250) << 8) |
                                (static_cast<std::uint32_t>((y * 23 + seed * 7) % 250) << 16));
    }
  }
  return pixels;
}

inline std::unique_ptr<CImageItem> Picture(const CPixelBuffer& pixels) {
  auto image = std::make_unique<CImageItem>();
  image->data = EncodeBmp(pixels);
  image->natural_width = pixels.Width();
  image->natural_height = pixels.Height();
  return image;
}

// An action on `image` whose path points are stored (mode 5) unless the test sets modes.
template <typename Action>
std::unique_ptr<Action> ActionOn(CImageItem& image, Point start, Point end = {}) {
  auto action = std::make_unique<Action>();
  action->SetTarget(image);
  CPathProperty& path = action->Prop().path;
  path.start_x = start.x, path.start_y = start.y;
  path.end_x = end.x, path.end_y = end.y;
  return action;
}

inline void Execute(CSceneItem& item, CSceneRuntime& runtime) {
  int index = 0;
  item.Execute(runtime, index);
}

// The number of pixels in which two pictures of the same size differ (-1 for different sizes).
inline int Differences(const CPixelBuffer& a, const CPixelBuffer& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  int count = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) count += a.PixelAt(x, y) != b.PixelAt(x, y);
  }
  return count;
}

inline CPixelBuffer Placed(CPixelBuffer screen, const CPixelBuffer& picture, Point at) {
  CPixelCanvas canvas(std::move(screen));
  canvas.Draw(at, picture);
  return std::move(canvas.Pixels());
}

}  // namespace saver::testing_support
