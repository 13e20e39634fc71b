#pragma once
#include <cstdint>

namespace saver {

class CSceneItem;

// Where a package's items come from: one default prototype per item kind, indexed by type id. The
// application's registry of every kind is one; the item model itself knows none.
class CItemFactory {
 public:
  virtual ~CItemFactory() = default;
  // The prototype of a kind, or null for a type id with no kind.
  virtual const CSceneItem* Prototype(std::int32_t type_id) const = 0;
};

}  // namespace saver
