#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace saver {

// The machine facts the calibration count was measured on, in the order they are written.
struct MachineFacts {
  std::uint64_t page_size = 0;
  std::uint64_t lowest_application_address = 0;
  std::uint64_t highest_application_address = 0;
  std::uint64_t active_processor_mask = 0;
  std::uint64_t processor_count = 0;
  std::uint64_t processor_type = 0;
  std::uint64_t allocation_granularity = 0;
  std::uint64_t processor_level = 0;
  std::uint64_t processor_revision = 0;
};

// "a,b,c,...": the nine facts in decimal, comma separated.
std::string MachineFingerprint(const MachineFacts& facts);

// The count is measured again when none is stored or the machine is not the one it was measured on
// (exact, case-sensitive comparison of the fingerprints).
bool NeedsCalibration(std::uint32_t stored_times, std::string_view stored_fingerprint,
                      std::string_view fingerprint);

// How long the counting run lasts: the count reached is the event polls of one second.
inline constexpr std::uint32_t kCalibrationMilliseconds = 1000;

}  // namespace saver
