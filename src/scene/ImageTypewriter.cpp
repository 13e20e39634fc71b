// CImageItem::TypeStep: one step of a text typed out character by character.
#include "scene/ImageItem.h"
#include "scene/ImageStage.h"
#include "scene/Typewriter.h"

namespace saver {

bool CImageItem::TypeStep(CImageStage& stage, CSceneRuntime& runtime, std::size_t& index) {
  const auto prefix = NextTypewriterPrefix(text, index);
  if (!prefix) return false;
  // The whole text's width keeps a centred or right-aligned prefix where it lies in the text.
  const auto whole = stage.RenderText(*this, {});
  auto shown_part = prefix->empty() ? whole : stage.RenderText(*this, *prefix);
  if (!whole || !shown_part) return false;
  const Size part_size{shown_part->Width(), shown_part->Height()};
  image.SetDecodedPixels(std::move(*shown_part));
  const auto rect = TypewriterRect(text_format, {placement.current_x, placement.current_y},
                                   whole->Width(), part_size);
  // A text without background is keyed over what it covered; the shorter prefix must go first.
  if (text_format != 0 && opaque == 0) DrawSavedBackground(stage);
  const bool drawn = Show(stage, stage.Screen(), runtime, rect ? &*rect : nullptr);
  return drawn && index + 1 < text.size();
}

}  // namespace saver
