#include "render/OffscreenStage.h"

namespace saver::tool {

COffscreenStage::COffscreenStage(Size screen, std::function<void(const CPixelBuffer&)> transition_ended)
    : size_(screen), canvas_(screen, messages_, std::move(transition_ended)) {}

void COffscreenStage::FillWindow(std::uint32_t colour) {
  background_ = colour;
  canvas_.Fill(Rect::FromSize(0, 0, size_.width, size_.height), colour);
}

}  // namespace saver::tool
