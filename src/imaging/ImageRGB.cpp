#include "imaging/ImageRGB.h"

#include "imaging/BilinearResampler.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureLimits.h"

namespace saver {

void CImageRGB::FreePixels(bool keep_decoded) {
  if (!keep_decoded) {
    decoded_.reset();
    size_ = {};
  }
  resized_.reset();
}

bool CImageRGB::LoadImage(std::span<const std::uint8_t> bytes, CMessageSink& messages) {
  FreePixels(false);
  Size size;
  decoded_ = DecodePicture(bytes, size, messages);
  if (!decoded_) return false;
  size_ = size;
  return true;
}

CImageRGB::LoadResult CImageRGB::LoadImageResized(std::span<const std::uint8_t> bytes, int width, int height,
                                                  CMessageSink& messages) {
  if (width <= 0 || height <= 0) {
    if (!LoadImage(bytes, messages)) return LoadResult::LoadFailed;
    return ResizeImage(width, height) ? LoadResult::Loaded : LoadResult::ResizeFailed;
  }
  FreePixels(false);
  Size natural;
  resized_ = DecodePictureResized(bytes, {width, height}, natural, messages);
  if (!resized_) return LoadResult::LoadFailed;
  size_ = natural;
  return LoadResult::Loaded;
}

bool CImageRGB::ResizeImage(int width, int height) {
  if (!decoded_) return false;
  FreePixels(true);
  resized_ = AllocatePicture(width, height);
  if (!resized_) return false;
  if (!ResizeBilinear(decoded_->Data(), decoded_->Width(), decoded_->Height(), decoded_->RowBytes(),
                      resized_->Data(), width, height, resized_->RowBytes(), 3)) {
    resized_.reset();
    return false;
  }
  return true;
}

bool CImageRGB::MeasureImage(std::span<const std::uint8_t> bytes, Size& size, CMessageSink& messages,
                             JpegDataCheck jpeg_check) {
  FreePixels(false);
  return MeasurePicture(bytes, size, messages, jpeg_check);
}

std::optional<CPixelBuffer> CImageRGB::TakeHeld(Size target, Size& natural) {
  std::optional<CPixelBuffer>& held = target.width == 0 && target.height == 0 ? decoded_ : resized_;
  std::optional<CPixelBuffer> pixels = std::move(held);
  natural = size_;
  FreePixels(false);
  return pixels;
}

std::optional<CPixelBuffer> CImageRGB::TakeImage(std::span<const std::uint8_t> bytes, Size target, Size& natural,
                                                 CMessageSink& messages) {
  const bool own_size = target.width == 0 && target.height == 0;
  const LoadResult result = own_size ? (LoadImage(bytes, messages) ? LoadResult::Loaded : LoadResult::LoadFailed)
                                     : LoadImageResized(bytes, target.width, target.height, messages);
  if (result != LoadResult::Loaded) {
    messages.Show(result == LoadResult::LoadFailed ? kLoadImageFailedMessage : kResizeImageFailedMessage);
    FreePixels(false);
    return std::nullopt;
  }
  return TakeHeld(target, natural);
}

std::optional<CPixelBuffer> CImageRGB::TakeRenderedImage(Size target, Size& natural) {
  const bool own_size = target.width == 0 && target.height == 0;
  if (!own_size && !ResizeImage(target.width, target.height)) {
    FreePixels(false);
    return std::nullopt;
  }
  return TakeHeld(target, natural);
}

void CImageRGB::SetDecodedPixels(CPixelBuffer pixels) {
  FreePixels(false);
  size_ = {pixels.Width(), pixels.Height()};
  decoded_ = std::move(pixels);
}

}  // namespace saver
