#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "model/ItemFactory.h"
#include "model/ItemList.h"
#include "model/SceneItem.h"
#include "model/ValidationContext.h"

namespace saver {

class CArchiveReader;
class CImageMeasurer;
class CUserMessages;

// One default prototype per item kind, indexed by type id, and the scene's item list. The
// application creates one for the process; validation reaches the messages and the pictures'
// measuring step through it.
class CItemRegistry final : public CItemFactory {
 public:
  explicit CItemRegistry(CUserMessages& messages, CImageMeasurer* measurer = nullptr);
  CItemRegistry(const CItemRegistry&) = delete;
  CItemRegistry& operator=(const CItemRegistry&) = delete;
  // Deletes the prototypes, then the item list (its items last first).
  ~CItemRegistry() override;

  // The prototype of a kind, or null for a type id outside 0 to 13.
  const CSceneItem* Prototype(std::int32_t type_id) const override;
  CItemList& Items() { return items_; }
  const CItemList& Items() const { return items_; }

  ValidationContext Context() const { return {items_, messages_, measurer_}; }

 private:
  std::array<std::unique_ptr<CSceneItem>, kItemTypeCount> prototypes_;
  CItemList items_;
  CUserMessages& messages_;
  CImageMeasurer* measurer_;
};

// Reads the scene package into the registry's item list with its prototypes and validates it, as
// ReadPackage over any content does (PackageReader.h).
bool ReadPackage(CArchiveReader& archive, CItemRegistry& registry, std::uint32_t* reserved = nullptr);

}  // namespace saver
