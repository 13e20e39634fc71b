#include "scene/Calibration.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

TEST(MachineFingerprintTest, WritesTheNineFactsInOrder) {
  MachineFacts facts{4096, 65536, 2147418111, 3, 2, 586, 65536, 6, 15363};
  EXPECT_EQ(MachineFingerprint(facts), "4096,65536,2147418111,3,2,586,65536,6,15363");
}

TEST(MachineFingerprintTest, EveryFactChangesTheFingerprint) {
  const MachineFacts base{4096, 65536, 2147418111, 3, 2, 586, 65536, 6, 15363};
  std::uint64_t MachineFacts::*fields[] = {
      &MachineFacts::page_size,          &MachineFacts::lowest_application_address,
      &MachineFacts::highest_application_address, &MachineFacts::active_processor_mask,
      &MachineFacts::processor_count,    &MachineFacts::processor_type,
      &MachineFacts::allocation_granularity, &MachineFacts::processor_level,
      &MachineFacts::processor_revision};
  for (auto field : fields) {
    MachineFacts changed = base;
    changed.*field += 1;
    EXPECT_NE(MachineFingerprint(changed), MachineFingerprint(base));
  }
}

struct CalibrationCase {
  std::uint32_t stored_times;
  const char* stored;
  const char* current;
  bool needed;
};

TEST(NeedsCalibrationTest, MeasuresOnFirstRunAndOnAnotherMachine) {
  const CalibrationCase cases[] = {
      {0, "", "4096,1", true},             // nothing stored yet
      {0, "4096,1", "4096,1", true},       // a count of 0 is no count
      {123456, "4096,1", "4096,1", false},  // same machine
      {123456, "4096,1", "4096,2", true},  // another processor revision
      {123456, "", "4096,1", true},
  };
  for (const CalibrationCase& c : cases)
    EXPECT_EQ(NeedsCalibration(c.stored_times, c.stored, c.current), c.needed)
        << c.stored_times << " '" << c.stored << "' '" << c.current << "'";
}

}  // namespace
}  // namespace saver
