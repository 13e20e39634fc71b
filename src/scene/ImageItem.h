#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/ColorProperty.h"
#include "app/ResourceItem.h"
#include "scene/PathProperty.h"

namespace saver {

// The 60-byte Windows logical-font record as the package stores it (LOGFONTA layout).
using FontDescription = std::array<std::uint8_t, 60>;
// Height -11, face "MS Sans Serif", everything else 0.
FontDescription DefaultFontDescription();

// Type 0: a resource holding one picture (embedded file bytes, or the desktop or wallpaper file)
// or one text with its font and colours. This file holds its data, layouts and validation; the
// drawing operations come with the pictures and scene code.
class CImageItem final : public CResourceItem {
 public:
  CImageItem() : CResourceItem(kImageItem) {}

  // The head, every loadable field (the data duplicated), the shown flag and the natural size.
  CSceneItem& Copy(const CSceneItem& other) override;
  void Load(ArchiveReader& archive) override;
  void Save(ArchiveWriter& archive) const override;
  // Learns the natural size by rendering the text or measuring the picture.
  bool Validate(const ValidationContext& context) override;
  int Execute(SceneRuntime&, int&) override { return 0; }
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CImageItem>(); }

  bool IsText() const { return kind == kKindText; }

  static constexpr std::uint32_t kKindText = 1;
  // Source modes: embedded data, the desktop snapshot file, the wallpaper file.
  static constexpr std::uint32_t kSourceData = 1;
  static constexpr std::uint32_t kSourceDesktop = 2;
  static constexpr std::uint32_t kSourceWallpaper = 3;

  std::uint32_t text_colour = 0;  // the system's window-text colour
  std::uint32_t background_colour = 0x00E0E0E0;
  FontDescription font = DefaultFontDescription();
  std::uint32_t opaque = 1;
  std::uint32_t kind = 0;  // 1 text, anything else picture
  std::string text;        // line breaks are CR LF
  std::string file_name;   // display name of the picture's source file; not used for drawing
  std::vector<std::uint8_t> data;  // the embedded picture file; its size is the data size
  std::uint32_t source_mode = kSourceData;
  CPathProperty previous_placement;
  CPathProperty saved_position;
  std::int32_t explicit_width = 0, explicit_height = 0;  // both 0: none
  std::uint32_t fit_to_screen = 0;
  std::uint32_t text_format = 0;  // 0 left, 1 centred, 2 right
  std::uint32_t keep_aspect = 0;
  std::int32_t natural_width = 0, natural_height = 0;  // learned in Validate
  std::uint32_t shown = 0;
  CPathProperty placement;
  CColorProperty background;

 private:
  template <typename Archive, typename Self>
  static void Transfer(Archive& archive, Self& self);
  template <typename Archive, typename Self>
  static void TransferContent(Archive& archive, Self& self);
};

}  // namespace saver
