#pragma once
#include <cstdint>

#include "model/ItemProperty.h"
#include "model/NameProperty.h"

namespace saver {

// How often a loop end sends the show back to its loop start.
class CRepeatProperty final : public CItemProperty {
 public:
  void Copy(const CRepeatProperty& other);
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  // Starts the pass count again.
  bool Validate(const ValidationContext&) override;

  std::uint32_t repeat_count = 1;  // passes through the stretch in all
  std::uint32_t passes = 0;        // passes made so far
  std::uint32_t endless = 0;
  CNameProperty label;
  std::int32_t jump_target = -1;  // first list position after the matching loop start

 private:
  // The one list of the fields that Load and Save store and Copy copies.
  template <typename Visitor>
  static void Fields(Visitor&& fields);
};

}  // namespace saver
