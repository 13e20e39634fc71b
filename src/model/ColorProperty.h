#pragma once
#include <cstdint>

#include "model/ItemProperty.h"
#include "model/NameProperty.h"

namespace saver {

struct RandomSeedSources;

// Raster-operation codes handed to BitBlt with a colour property's colour.
inline constexpr std::uint32_t kRopSrcCopy = 0x00CC0020;
inline constexpr std::uint32_t kRopSrcPaint = 0x00EE0086;  // OR
inline constexpr std::uint32_t kRopSrcAnd = 0x008800C6;

// A colour (0x00BBGGRR) that can be drawn anew at every use.
class CColorProperty final : public CItemProperty {
 public:
  // Seeds the thread's rand from the current time and keeps one draw as the property's seed.
  CColorProperty();

  // Everything but the seed.
  void Copy(const CColorProperty& other);
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  bool Validate(const ValidationContext&) override { return true; }

  // Done before each use: with random set, replaces the colour and advances the seed by 100.
  void Draw(const RandomSeedSources& sources);
  std::uint32_t RasterOperation() const;

  std::uint32_t colour = 0;
  std::uint32_t second_colour = 0x00FFFFFF;
  std::uint32_t raster_mode = 0;  // 0 copy, 1 OR, anything else AND
  std::uint32_t random = 0;
  std::uint32_t fourth_value = 1;  // image backgrounds: 1 = use the saver window's colour
  CNameProperty label;
  std::uint32_t seed = 0;

 private:
  // The one list of the fields that Load and Save store and Copy copies.
  template <typename Visitor>
  static void Fields(Visitor&& fields);
};

}  // namespace saver
