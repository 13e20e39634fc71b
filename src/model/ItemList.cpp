#include "model/ItemList.h"

namespace saver {

CItemList::~CItemList() { Clear(); }

CSceneItem& CItemList::Append(std::unique_ptr<CSceneItem> item) {
  items_.push_back(std::move(item));
  return *items_.back();
}

void CItemList::Clear() {
  while (!items_.empty()) items_.pop_back();
}

std::int32_t CItemList::PositionOf(const CSceneItem& item) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == &item) return static_cast<std::int32_t>(i);
  }
  return -1;
}

}  // namespace saver
