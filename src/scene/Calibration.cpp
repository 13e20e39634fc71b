#include "scene/Calibration.h"

namespace saver {

std::string MachineFingerprint(const MachineFacts& facts) {
  const std::uint64_t fields[] = {facts.page_size,          facts.lowest_application_address,
                                  facts.highest_application_address, facts.active_processor_mask,
                                  facts.processor_count,    facts.processor_type,
                                  facts.allocation_granularity, facts.processor_level,
                                  facts.processor_revision};
  std::string text;
  for (std::uint64_t field : fields) {
    if (!text.empty()) text += ',';
    text += std::to_string(field);
  }
  return text;
}

bool NeedsCalibration(std::uint32_t stored_times, std::string_view stored_fingerprint,
                      std::string_view fingerprint) {
  return stored_times == 0 || stored_fingerprint != fingerprint;
}

}  // namespace saver
