#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "imaging/ImageRGB.h"
#include "model/ColorProperty.h"
#include "model/ResourceItem.h"
#include "package/StoredBytes.h"
#include "scene/PathProperty.h"

namespace saver {

class CImageCanvas;
class CImageStage;
class CSceneRuntime;

// The 60-byte Windows logical-font record as the package stores it (LOGFONTA layout).
using FontDescription = std::array<std::uint8_t, 60>;
// Height -11, face "MS Sans Serif", everything else 0.
FontDescription DefaultFontDescription();

// Type 0: a resource holding one picture (embedded file bytes, or the desktop or wallpaper file)
// or one text with its font and colours. This file holds its data, layouts and validation; the
// screen operations are in ImageShow.cpp (Show), ImageMotion.cpp (moving, erasing, the saved
// background and the snapshot files) and ImageTypewriter.cpp (TypeStep).
class CImageItem final : public CResourceItem {
 public:
  CImageItem() : CResourceItem(kImageItem) {}

  // The head, every loadable field (the data duplicated), the shown flag and the natural size.
  CSceneItem& Copy(const CSceneItem& other) override;
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  // Learns the natural size by rendering the text or measuring the picture.
  bool Validate(const ValidationContext& context) override;
  int Execute(CSceneRuntime&, int&) override { return 0; }
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CImageItem>(); }

  bool IsText() const { return kind == kKindText; }
  // The picture bytes that Validate will measure; null for a text and for an item it skips.
  const CStoredBytes* PictureToMeasure() const;
  Size NaturalSize() const { return {natural_width, natural_height}; }

  // Draws the image on `target` where the placement says, directly or through its transition;
  // `explicit_rect` (may be null) overrides the place. False, after a message box, when no
  // picture could be made.
  bool Show(CImageStage& stage, CImageCanvas& target, CSceneRuntime& runtime, const Rect* explicit_rect);
  // Moves the image from the placement's position to `moved`'s current position on the screen,
  // redrawing old and new place together when they overlap, and takes `moved` as its placement.
  void MoveStep(CImageStage& stage, const CPathProperty& moved, CSceneRuntime& runtime);
  // Fills the image's place (or the whole screen after a transition) with the window background.
  void Erase(CImageStage& stage);
  // Keeps the screen's `area` for a later hide, to be put back at `position`'s current position.
  void TakeSavedBackground(CImageStage& stage, const Rect& area, const CPathProperty& position);
  // Puts the saved background (if one is held) back where it belongs.
  void DrawSavedBackground(CImageStage& stage);
  // Shows the text up to the next visible character at or after `index` (moved onto it); true
  // while characters remain.
  bool TypeStep(CImageStage& stage, CSceneRuntime& runtime, std::size_t& index);
  // Replaces the picture by a file's bytes; false, after a message box, if it cannot be read.
  bool LoadSnapshotFile(CImageStage& stage, const std::string& path);

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
  CStoredBytes data;  // the embedded picture file; its size is the data size
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
  CImageRGB image;                 // the picture's pixels while a show needs them; a rendered text
  CPixelBuffer saved_background;   // empty when none is held
  CPixelBuffer screen_copy;        // the whole screen as a move began; empty outside moves

 private:
  // The one list of the fields that Load and Save store and Copy copies.
  template <typename Visitor>
  static void Fields(Visitor&& fields);
};

}  // namespace saver
