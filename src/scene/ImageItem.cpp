#include "scene/ImageItem.h"

#include <cstring>
#include <string_view>

#include "base/UserMessages.h"
#include "model/ValidationContext.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "scene/ImageMeasurer.h"

namespace saver {
namespace {

constexpr std::int32_t kDefaultFontHeight = -11;
constexpr std::size_t kFaceNameOffset = 28;  // after five 32-bit values and eight bytes
constexpr std::string_view kDefaultFaceName = "MS Sans Serif";

constexpr std::string_view kNoImage = "You have to choose the image.";
constexpr std::string_view kTextBitmapFailed = "\ntext bitmap cannot be made.";

}  // namespace

FontDescription DefaultFontDescription() {
  FontDescription font{};
  const auto height = static_cast<std::uint32_t>(kDefaultFontHeight);
  for (int i = 0; i < 4; ++i) font[i] = static_cast<std::uint8_t>(height >> (8 * i));
  std::memcpy(&font[kFaceNameOffset], kDefaultFaceName.data(), kDefaultFaceName.size());
  return font;
}

CSceneItem& CImageItem::Copy(const CSceneItem& other) {
  CSceneItem::Copy(other);
  const auto& image = dynamic_cast<const CImageItem&>(other);
  text_colour = image.text_colour;
  background_colour = image.background_colour;
  font = image.font;
  opaque = image.opaque;
  kind = image.kind;
  text = image.text;
  file_name = image.file_name;
  data = image.data;
  source_mode = image.source_mode;
  explicit_width = image.explicit_width;
  explicit_height = image.explicit_height;
  fit_to_screen = image.fit_to_screen;
  text_format = image.text_format;
  keep_aspect = image.keep_aspect;
  shown = image.shown;
  natural_width = image.natural_width;
  natural_height = image.natural_height;
  return *this;
}

// The record's blocks, each read or written when its version test holds, in this order; the
// "Older layouts" table of docs/scene-format.md lists them. `package` is the package's version,
// `legacy` the same number under signature B and 0 under signature A.
template <typename Archive, typename Self>
void CImageItem::Transfer(Archive& archive, Self& self) {
  const float package = archive.Versions().package;
  const float legacy = archive.Versions().legacy;
  const bool signature_a = legacy == 0.0f;
  if (signature_a) {
    archive.Dword(self.kind);
    archive.Dword(self.opaque);
    archive.Dword(self.source_mode);
  }
  if (signature_a && package > 4.11f) {
    archive.Dword(self.explicit_width);
    archive.Dword(self.explicit_height);
    archive.Dword(self.fit_to_screen);
  }
  if (legacy == 1.0f) {  // no source mode: always embedded
    archive.Dword(self.kind);
    archive.Dword(self.opaque);
  }
  if (1.01f <= legacy && legacy <= 2.1f) {  // a snapshot flag instead of the source mode
    archive.Dword(self.kind);
    archive.Dword(self.opaque);
    std::uint32_t snapshot = self.source_mode == kSourceDesktop;
    archive.Dword(snapshot);
    if constexpr (Archive::kLoading) self.source_mode = snapshot ? kSourceDesktop : kSourceData;
  }
  if (legacy >= 2.11f) {
    archive.Dword(self.kind);
    archive.Dword(self.opaque);
    archive.Dword(self.source_mode);
  }
  if (!signature_a && package > 4.01f) {
    archive.Dword(self.explicit_width);
    archive.Dword(self.explicit_height);
    archive.Dword(self.fit_to_screen);
  }
  if (package > 4.21f) archive.Dword(self.keep_aspect);
  TransferContent(archive, self);
}

// The text with its colours and font, or the picture file.
template <typename Archive, typename Self>
void CImageItem::TransferContent(Archive& archive, Self& self) {
  if (self.kind == kKindText) {
    archive.Dword(self.text_colour);
    archive.Dword(self.background_colour);
    if (archive.Versions().package > 4.21f) archive.Dword(self.text_format);
    archive.ScrambledString(self.text);
    archive.ScrambledBlock(self.font);
    return;
  }
  auto data_size = static_cast<std::uint32_t>(self.data.size());
  archive.Dword(data_size);
  if (data_size == 0) return;
  archive.ScrambledString(self.file_name);
  archive.ScrambledBytes(self.data, data_size);
}

void CImageItem::Load(ArchiveReader& archive) {
  CSceneItem::Load(archive);
  Transfer(archive, *this);
}

void CImageItem::Save(ArchiveWriter& archive) const {
  CSceneItem::Save(archive);
  Transfer(archive, *this);
}

const CStoredBytes* CImageItem::PictureToMeasure() const {
  if (!NeedsValidation() || IsText() || data.empty()) return nullptr;
  return &data;
}

bool CImageItem::Validate(const ValidationContext& context) {
  if (!NeedsValidation()) return true;
  shown = 0;
  std::optional<Size> size;
  if (IsText()) {
    if (context.measurer != nullptr) size = context.measurer->RenderText(*this);
    if (!size) context.messages.ShowError(text + std::string(kTextBitmapFailed));
  } else if (!data.empty()) {
    if (context.measurer != nullptr) size = context.measurer->MeasurePicture(data);
  } else {
    context.messages.ShowError(kNoImage);
  }
  if (!size) return false;
  natural_width = size->width;
  natural_height = size->height;
  return true;
}

}  // namespace saver
