#include "scene/ImageItem.h"

#include <cstring>
#include <string_view>

#include "base/UserMessages.h"
#include "model/ItemFields.h"
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

// The record's blocks, each stored when its version test holds, in this order; the "Older
// layouts" table of docs/scene-format.md lists them. `package` is the package's version, `legacy`
// the same number under signature B and 0 under signature A. The text with its colours and font,
// or the picture file, follow; the shown flag and the natural size are copied, never stored.
template <typename Visitor>
void CImageItem::Fields(Visitor&& fields) {
  using I = CImageItem;
  const float package = fields.Versions().package;
  const float legacy = fields.Versions().legacy;
  const bool signature_a = legacy == 0.0f;
  if (fields.Includes(signature_a)) fields.Dwords(&I::kind, &I::opaque, &I::source_mode);
  if (fields.Includes(signature_a && package > 4.11f)) {
    fields.Dwords(&I::explicit_width, &I::explicit_height, &I::fit_to_screen);
  }
  if (fields.Includes(legacy == 1.0f)) fields.Dwords(&I::kind, &I::opaque);  // no source mode: embedded
  if (fields.Includes(1.01f <= legacy && legacy <= 2.1f)) {  // a snapshot flag instead of the source mode
    fields.Dwords(&I::kind, &I::opaque);
    fields.Converted(
        &I::source_mode, [](std::uint32_t mode) -> std::uint32_t { return mode == kSourceDesktop; },
        [](std::uint32_t snapshot) { return snapshot != 0 ? kSourceDesktop : kSourceData; });
  }
  if (fields.Includes(legacy >= 2.11f)) fields.Dwords(&I::kind, &I::opaque, &I::source_mode);
  if (fields.Includes(!signature_a && package > 4.01f)) {
    fields.Dwords(&I::explicit_width, &I::explicit_height, &I::fit_to_screen);
  }
  if (fields.Includes(package > 4.21f)) fields.Dwords(&I::keep_aspect);

  const bool text = fields.Item().kind == kKindText;
  if (fields.Includes(text)) {
    fields.Dwords(&I::text_colour, &I::background_colour);
    if (fields.Includes(package > 4.21f)) fields.Dwords(&I::text_format);
    fields.String(&I::text);
    fields.Block(&I::font);
  }
  if (fields.Includes(!text)) {
    const std::uint32_t data_size = fields.ByteCount(&I::data);
    if (fields.Includes(data_size != 0)) {
      fields.String(&I::file_name);
      fields.Bytes(&I::data, data_size);
    }
  }
  fields.Unstored(&I::shown, &I::natural_width, &I::natural_height);
}

CSceneItem& CImageItem::Copy(const CSceneItem& other) {
  CResourceItem::Copy(other);
  Fields(CFieldCopy(*this, dynamic_cast<const CImageItem&>(other)));
  return *this;
}

void CImageItem::Load(CArchiveReader& archive) {
  CResourceItem::Load(archive);
  Fields(CFieldTransfer(archive, *this));
}

void CImageItem::Save(CArchiveWriter& archive) const {
  CResourceItem::Save(archive);
  Fields(CFieldTransfer(archive, *this));
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
