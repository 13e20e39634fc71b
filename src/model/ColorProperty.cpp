#include "model/ColorProperty.h"

#include <ctime>

#include "base/MsvcRand.h"
#include "base/RandomRange.h"
#include "base/RandomSeed.h"
#include "model/ItemFields.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

CColorProperty::CColorProperty() {
  MsvcSrand(static_cast<std::uint32_t>(std::time(nullptr)));
  seed = static_cast<std::uint32_t>(MsvcRand());
}

// The second colour and the label are copied, never stored; the seed is neither.
template <typename Visitor>
void CColorProperty::Fields(Visitor&& fields) {
  using C = CColorProperty;
  fields.Dwords(&C::colour, &C::raster_mode, &C::random, &C::fourth_value);
  fields.Unstored(&C::second_colour, &C::label);
}

void CColorProperty::Copy(const CColorProperty& other) { Fields(CFieldCopy(*this, other)); }
void CColorProperty::Load(CArchiveReader& archive) { Fields(CFieldTransfer(archive, *this)); }
void CColorProperty::Save(CArchiveWriter& archive) const { Fields(CFieldTransfer(archive, *this)); }

void CColorProperty::Draw(const RandomSeedSources& sources) {
  if (random == 0) return;
  CRandomRange range(MixRandomSeed(seed, sources));
  range.SetRange(0, 500);
  // A draw may be 501; the modulo absorbs it.
  const auto red = static_cast<std::uint32_t>(range.Next() % 256);
  const auto green = static_cast<std::uint32_t>(range.Next() % 256);
  const auto blue = static_cast<std::uint32_t>(range.Next() % 256);
  colour = red | (green << 8) | (blue << 16);
}

std::uint32_t CColorProperty::RasterOperation() const {
  if (raster_mode == 0) return kRopSrcCopy;
  if (raster_mode == 1) return kRopSrcPaint;
  return kRopSrcAnd;
}

}  // namespace saver
