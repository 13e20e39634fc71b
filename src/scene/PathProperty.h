#pragma once
#include <array>
#include <cstdint>

#include "imaging/Rect.h"
#include "model/ItemProperty.h"

namespace saver {

struct RandomSeedSources;

// The two widths (and heights) a path's coordinates use: the screen device's resolution, and the
// system metric of the primary screen that the random modes draw over. They are equal on a single
// monitor.
struct ScreenMetrics {
  Size device;
  Size primary;
};

// Coordinate modes of a path's start and end points.
enum PathCoordinateMode : std::int32_t {
  kModeEdgeStart = 0,  // left or top edge
  kModeCentre = 1,
  kModeEdgeEnd = 2,    // right or bottom edge
  kModeRandom = 3,     // anywhere, partly off screen
  kModeRandomInside = 4,
  kModeStored = 5,     // the stored coordinate
};

// Where a picture is shown and how it travels: the points, the step and the stop tests of free
// movement, and the presentation settings image items read (effect, speed, typewriter, saved
// background). Its data and layouts are in PathProperty.cpp, Compute and Step in PathMotion.cpp.
class CPathProperty final : public CItemProperty {
 public:
  // Seeds the thread's rand from the current time and keeps one draw as the path's seed.
  CPathProperty();

  // Every field except the seed.
  void Copy(const CPathProperty& other);
  // Layout P for legacy version 0 and above 3.2, the legacy blocks otherwise.
  void Load(CArchiveReader& archive) override;
  // Writes what Load reads for the archive's versions. The legacy blocks carry only random and
  // centre flags, so modes 0, 2 and 4 are written there as stored coordinates.
  void Save(CArchiveWriter& archive) const override;
  bool Validate(const ValidationContext&) override { return true; }

  // Computes the start and end points for an object of `object` size (modes 0 to 4; mode 5 and
  // free movement keep the stored points), points the steps from start to end and puts the
  // current position on the start. Advances the seed by 100.
  void Compute(Size object, const ScreenMetrics& screen, const RandomSeedSources& sources);
  // Advances the current position by one step; true once the end is reached. Straight paths move
  // by step x along their axis; step y serves only free movement.
  bool Step();

  std::int32_t start_x = 0, start_y = 0;
  std::int32_t end_x = 0, end_y = 0;
  std::int32_t limit_x = 0, limit_y = 0;
  std::int32_t step_x = 1, step_y = 1;
  std::int32_t current_x = 0, current_y = 0;
  // start x, start y, end x, end y
  std::array<std::int32_t, 4> modes = {kModeStored, kModeStored, kModeStored, kModeStored};
  std::int32_t x_test = 0;  // 0 greater than, 1 less than, 2 equal, 3 not equal
  std::int32_t both_tests = 0;
  std::int32_t y_test = 0;
  std::int32_t step_delay = 100000;  // PacedWait value with k = 100000.0: larger waits less
  std::int32_t typewriter_delay = 2000;  // pause between characters is 2000 - this, milliseconds
  std::int32_t effect_number = 0;
  std::int32_t speed = 100;
  std::int32_t free_movement = 0;
  std::int32_t horizontal = 1;
  std::int32_t typewriter = 0;
  std::int32_t screen_copy_background = 0;
  std::int32_t save_background = 0;
  std::uint32_t seed = 0;

 private:
  template <typename Archive, typename Self>
  static void Transfer(Archive& archive, Self& self);
  template <typename Archive, typename Self>
  static void TransferLayoutFields(Archive& archive, Self& self, int first, int last);
  template <typename Archive, typename Self>
  static void TransferLegacyBlocks(Archive& archive, Self& self);
};

}  // namespace saver
