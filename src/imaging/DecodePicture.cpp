#include "imaging/DecodePicture.h"

#include <cstdio>
#include <iterator>
#include <vector>

#include "imaging/BilinearResampler.h"
#include "imaging/JpegDecoder.h"
#include "imaging/PictureFormat.h"
#include "imaging/PictureLimits.h"
#include "imaging/PictureReaders.h"

namespace saver {
namespace {

enum class Origin { Memory, File };

using Reader = std::optional<CPixelBuffer> (*)(std::span<const std::uint8_t>, PictureRefusal*);

// The reader for a detected format; null for formats that are refused. `silent` is set for
// the one refusal that shows no message (WBMP from a file).
Reader ReaderFor(PictureFormat format, Origin origin, bool& silent) {
  silent = false;
  switch (format) {
    case PictureFormat::Bmp: return ReadBmp;
    case PictureFormat::Jpeg: return ReadJpeg;
    case PictureFormat::Png: return ReadPng;
    case PictureFormat::Pcx: return ReadPcx;
    case PictureFormat::Tga: return ReadTga;
    case PictureFormat::Wbmp:
      silent = origin == Origin::File;
      return origin == Origin::Memory ? ReadTga : nullptr;
    default: return nullptr;
  }
}

// A picture refused for its size is the one failure of a read format with a message of its own.
void ShowSizeRefusal(const PictureRefusal& refusal, CMessageSink& messages) {
  if (refusal.reason == PictureRefusal::Reason::TooLarge) messages.Show(refusal.message);
}

std::optional<CPixelBuffer> Decode(std::span<const std::uint8_t> bytes, std::string_view file_name, Origin origin,
                                   Size& size, CMessageSink& messages, PictureRefusal& refusal) {
  size = {};
  bool silent = false;
  Reader reader = ReaderFor(DetectPictureFormat(bytes, file_name), origin, silent);
  if (!reader) {
    if (!silent) messages.Show(kUnsupportedPictureMessage);
    return std::nullopt;
  }
  std::optional<CPixelBuffer> pixels = reader(bytes, &refusal);
  if (pixels) size = {pixels->Width(), pixels->Height()};
  else ShowSizeRefusal(refusal, messages);
  return pixels;
}

// Feeds decoded JPEG rows straight into the resampler.
class CResampleRows : public CJpegRowTarget {
 public:
  explicit CResampleRows(Size target) : target_(target) {}
  bool Begin(Size natural, Size scaled) override {
    natural_ = natural;
    out = AllocatePicture(target_.width, target_.height);
    if (!out) return false;
    resampler_.emplace(scaled, target_, 3, out->Data(), out->RowBytes());
    return true;
  }
  void Row(const std::uint8_t* rgb) override { resampler_->PushRow(rgb); }
  Size Natural() const { return natural_; }
  std::optional<CPixelBuffer> out;

 private:
  Size target_, natural_;
  std::optional<CBilinearResampler> resampler_;
};

}  // namespace

std::optional<CPixelBuffer> DecodePicture(std::span<const std::uint8_t> bytes, Size& size, CMessageSink& messages) {
  PictureRefusal refusal;
  return Decode(bytes, {}, Origin::Memory, size, messages, refusal);
}

std::optional<CPixelBuffer> DecodePictureFile(const std::string& file_name, Size& size, CMessageSink& messages) {
  size = {};
  // C stdio rather than a file stream: streams bring their locales into the engine image.
  std::FILE* file = std::fopen(file_name.c_str(), "rb");
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[65536];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof(chunk), file)) > 0;) bytes.insert(bytes.end(), chunk, chunk + got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  PictureRefusal refusal;
  return Decode(bytes, file_name, Origin::File, size, messages, refusal);
}

std::optional<CPixelBuffer> DecodePictureResized(std::span<const std::uint8_t> bytes, Size target, Size& natural,
                                                 CMessageSink& messages) {
  natural = {};
  if (!IsAcceptedPictureSize(target.width, target.height)) return std::nullopt;
  if (DetectPictureFormat(bytes, {}) == PictureFormat::Jpeg) {
    CResampleRows rows(target);
    PictureRefusal refusal;
    if (!DecodeJpeg(bytes, target, rows, &refusal)) {
      ShowSizeRefusal(refusal, messages);
      return std::nullopt;
    }
    natural = rows.Natural();
    return std::move(rows.out);
  }
  std::optional<CPixelBuffer> full = DecodePicture(bytes, natural, messages);
  if (!full) return std::nullopt;
  std::optional<CPixelBuffer> out = AllocatePicture(target.width, target.height);
  if (!out || !ResizeBilinear(full->Data(), full->Width(), full->Height(), full->RowBytes(), out->Data(),
                              target.width, target.height, out->RowBytes(), 3))
    return std::nullopt;
  return out;
}

bool MeasurePicture(std::span<const std::uint8_t> bytes, Size& size, CMessageSink& messages, JpegDataCheck jpeg_check,
                    PictureRefusal* unshown_damage) {
  if (DetectPictureFormat(bytes, {}) == PictureFormat::Jpeg) {
    PictureRefusal refusal;
    if (MeasureJpeg(bytes, jpeg_check, size, &refusal)) return true;
    messages.Show(refusal.message.empty() ? kUndecodableJpegMessage : std::string_view(refusal.message));
    return false;
  }
  Size decoded_size;
  PictureRefusal refusal;
  if (!Decode(bytes, {}, Origin::Memory, decoded_size, messages, refusal)) {
    if (unshown_damage && refusal.reason == PictureRefusal::Reason::Damaged) *unshown_damage = std::move(refusal);
    return false;
  }
  size = decoded_size;
  return true;
}

}  // namespace saver
