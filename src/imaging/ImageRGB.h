#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "imaging/JpegDecoder.h"
#include "imaging/MessageSink.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

// <windows.h> maps LoadImage to LoadImageW, which would rename the member below in Win32
// code only. Win32 code that wants the system call names LoadImageW itself.
#ifdef LoadImage
#undef LoadImage
#endif

namespace saver {

inline constexpr std::string_view kLoadImageFailedMessage = "CImageRGB::GetImage - LoadImage failed";
inline constexpr std::string_view kResizeImageFailedMessage = "CImageRGB::GetImage ResizeImage failed";

// The pixels of one image item: the decoded picture (or rendered text) and a resized copy,
// both 24-bit top-down packed. Pixels are held only as long as one operation needs them; the
// drawing operations that turn them into device bitmaps live in imaging/win/ImageRGBDrawing.h.
class CImageRGB {
 public:
  CImageRGB() = default;
  CImageRGB(const CImageRGB&) = delete;
  CImageRGB& operator=(const CImageRGB&) = delete;

  // Decodes picture bytes into the decoded pixels (dropping whatever was held).
  bool LoadImage(std::span<const std::uint8_t> bytes, CMessageSink& messages);

  enum class LoadResult { Loaded, LoadFailed, ResizeFailed };
  // LoadImage followed by ResizeImage(width, height) without holding the full-size pixels
  // when both sides are nonzero (see DecodePictureResized): only the resized pixels are kept.
  LoadResult LoadImageResized(std::span<const std::uint8_t> bytes, int width, int height, CMessageSink& messages);

  // Makes the resized pixels from the decoded ones. Fails without decoded pixels and for a
  // zero or negative side.
  bool ResizeImage(int width, int height);

  // The natural size of a picture without keeping its pixels (see MeasurePicture): the verdict
  // is that of a full decode, but for damage inside a JPEG's scan when `jpeg_check` is
  // HeaderAndEnd. Leaves the image empty.
  bool MeasureImage(std::span<const std::uint8_t> bytes, Size& size, CMessageSink& messages,
                    JpegDataCheck jpeg_check = JpegDataCheck::Whole);

  // GetImage without GDI: decodes the bytes and gives their pixels at their own size (target
  // 0 x 0) or resized to exactly the target (a zero side then fails the resize), showing
  // kLoadImageFailedMessage or kResizeImageFailedMessage on failure. `natural` receives the
  // decoded size. Leaves the image empty.
  std::optional<CPixelBuffer> TakeImage(std::span<const std::uint8_t> bytes, Size target, Size& natural,
                                        CMessageSink& messages);
  // The same for the pixels already held (a rendered text), silently. Leaves the image empty,
  // so a text must be rendered again before it is shown again.
  std::optional<CPixelBuffer> TakeRenderedImage(Size target, Size& natural);

  // Takes pixels made elsewhere (a rendered text read back from a bitmap) as the decoded ones.
  void SetDecodedPixels(CPixelBuffer pixels);

  // Size of the decoded picture (its natural size also when only resized pixels are held).
  Size GetSize() const { return size_; }
  const CPixelBuffer* Decoded() const { return decoded_ ? &*decoded_ : nullptr; }
  const CPixelBuffer* Resized() const { return resized_ ? &*resized_ : nullptr; }

  // Drops the resized pixels, and the decoded ones too unless `keep_decoded`.
  void FreePixels(bool keep_decoded);

 private:
  Size size_;
  std::optional<CPixelBuffer> decoded_;
  std::optional<CPixelBuffer> resized_;

  // Moves out the decoded (target 0 x 0) or resized pixels and empties the image.
  std::optional<CPixelBuffer> TakeHeld(Size target, Size& natural);
};

}  // namespace saver
