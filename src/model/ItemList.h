#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "model/SceneItem.h"

namespace saver {

// The scene's items in show order. Owns them and deletes them from the last to the first.
class CItemList {
 public:
  CItemList() = default;
  CItemList(const CItemList&) = delete;
  CItemList& operator=(const CItemList&) = delete;
  ~CItemList();

  CSceneItem& Append(std::unique_ptr<CSceneItem> item);
  // Deletes every item, last first.
  void Clear();

  std::size_t Size() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  CSceneItem& At(std::size_t index) const { return *items_.at(index); }
  // Position of the item in this list, or -1.
  std::int32_t PositionOf(const CSceneItem& item) const;

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::unique_ptr<CSceneItem>> items_;
};

}  // namespace saver
