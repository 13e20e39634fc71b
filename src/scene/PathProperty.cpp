#include "scene/PathProperty.h"

#include <ctime>

#include "base/MsvcRand.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {
namespace {

// Flags of the legacy layouts, one per coordinate (start x, start y, end x, end y).
using CoordinateFlags = std::array<std::uint32_t, 4>;

template <typename Archive>
void TransferFlags(Archive& archive, CoordinateFlags& flags) {
  for (std::uint32_t& flag : flags) archive.Dword(flag);
}

}  // namespace

CPathProperty::CPathProperty() {
  MsvcSrand(static_cast<std::uint32_t>(std::time(nullptr)));
  seed = static_cast<std::uint32_t>(MsvcRand());
}

void CPathProperty::Copy(const CPathProperty& other) {
  const std::uint32_t own_seed = seed;
  *this = other;
  seed = own_seed;
}

// Fields `first` to `last` of layout P, in its order.
template <typename Archive, typename Self>
void CPathProperty::TransferLayoutFields(Archive& archive, Self& self, int first, int last) {
  for (int field = first; field <= last; ++field) {
    switch (field) {
      case 1: for (auto& mode : self.modes) archive.Dword(mode); break;
      case 2: archive.Dword(self.start_x); archive.Dword(self.start_y); break;
      case 3: archive.Dword(self.end_x); archive.Dword(self.end_y); break;
      case 4: archive.Dword(self.step_x); archive.Dword(self.step_y); break;
      case 5: archive.Dword(self.horizontal); break;
      case 6: archive.Dword(self.x_test); break;
      case 7: archive.Dword(self.limit_x); archive.Dword(self.limit_y); break;
      case 8: archive.Dword(self.both_tests); break;
      case 9: archive.Dword(self.y_test); break;
      case 10: archive.Dword(self.free_movement); break;
      case 11: archive.Dword(self.step_delay); break;
      case 12: archive.Dword(self.typewriter_delay); break;
      case 13: archive.Dword(self.typewriter); break;
      case 14: archive.Dword(self.screen_copy_background); break;
      case 15: archive.Dword(self.save_background); break;
      case 16: archive.Dword(self.effect_number); break;
      case 17: archive.Dword(self.speed); break;
    }
  }
}

// Every block whose condition holds is read, in this order; at 2.05 blocks 2 and 3 both are.
// Afterwards each mode follows its own flags: centre wins over random, neither means stored.
template <typename Archive, typename Self>
void CPathProperty::TransferLegacyBlocks(Archive& archive, Self& self) {
  const float legacy = archive.Versions().legacy;
  CoordinateFlags random{}, centre{};
  if constexpr (!Archive::kLoading) {
    for (std::size_t i = 0; i < 4; ++i) {
      random[i] = self.modes[i] == kModeRandom;
      centre[i] = self.modes[i] == kModeCentre;
    }
  }
  if (legacy == 1.0f) {
    TransferFlags(archive, random);
    TransferLayoutFields(archive, self, 2, 13);
  }
  const auto block_with_centre_flags = [&](int last_field) {
    TransferFlags(archive, random);
    TransferFlags(archive, centre);
    TransferLayoutFields(archive, self, 2, last_field);
  };
  if (1.1f < legacy && legacy < 2.1f) block_with_centre_flags(15);
  if (2.0f < legacy && legacy < 3.0f) block_with_centre_flags(16);
  if (2.9f < legacy && legacy < 3.2f) block_with_centre_flags(17);
  if constexpr (Archive::kLoading) {
    for (std::size_t i = 0; i < 4; ++i) {
      self.modes[i] = centre[i] ? kModeCentre : random[i] ? kModeRandom : kModeStored;
    }
  }
}

template <typename Archive, typename Self>
void CPathProperty::Transfer(Archive& archive, Self& self) {
  if constexpr (Archive::kLoading) {
    self.screen_copy_background = 0;
    self.effect_number = 0;
    self.speed = 100;
    self.save_background = 0;
  }
  const float legacy = archive.Versions().legacy;
  if (legacy != 0.0f) TransferLegacyBlocks(archive, self);
  if (legacy == 0.0f || legacy > 3.2f) TransferLayoutFields(archive, self, 1, 17);
}

void CPathProperty::Load(CArchiveReader& archive) { Transfer(archive, *this); }
void CPathProperty::Save(CArchiveWriter& archive) const { Transfer(archive, *this); }

}  // namespace saver
