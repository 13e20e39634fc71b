#include "model/ColorProperty.h"

#include <ctime>

#include "base/MsvcRand.h"
#include "base/RandomRange.h"
#include "base/RandomSeed.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

CColorProperty::CColorProperty() {
  MsvcSrand(static_cast<std::uint32_t>(std::time(nullptr)));
  seed = static_cast<std::uint32_t>(MsvcRand());
}

void CColorProperty::Copy(const CColorProperty& other) {
  label.Copy(other.label);
  colour = other.colour;
  second_colour = other.second_colour;
  raster_mode = other.raster_mode;
  random = other.random;
  fourth_value = other.fourth_value;
}

template <typename Archive, typename Self>
void CColorProperty::Transfer(Archive& archive, Self& self) {
  archive.Dword(self.colour);
  archive.Dword(self.raster_mode);
  archive.Dword(self.random);
  archive.Dword(self.fourth_value);
}

void CColorProperty::Load(ArchiveReader& archive) { Transfer(archive, *this); }
void CColorProperty::Save(ArchiveWriter& archive) const { Transfer(archive, *this); }

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
