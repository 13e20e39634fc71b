#pragma once
#include <cstdint>

#include "model/ItemProperty.h"
#include "model/NameProperty.h"

namespace saver {

// How long a delay item waits.
class CDelayProperty final : public CItemProperty {
 public:
  void Copy(const CDelayProperty& other);
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  bool Validate(const ValidationContext&) override { return true; }

  std::uint32_t random = 0;       // nonzero: a new duration at each execution
  std::uint32_t duration = 0;     // milliseconds
  CNameProperty label;
  std::uint32_t random_range = 3001;  // exclusive upper bound of random durations, milliseconds

 private:
  // The one list of the fields that Load and Save store and Copy copies.
  template <typename Visitor>
  static void Fields(Visitor&& fields);
};

}  // namespace saver
