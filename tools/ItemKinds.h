#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FieldTable.h"
#include "model/SceneItem.h"

namespace saver::tool {

// One kind of item as the scene description names it. Pictures and texts are both image items
// (type 0) and are told apart by the item's own kind field.
struct ItemKind {
  std::string name;
  std::int32_t type_id;
  // The type of resource that items of this kind act on, or -1 for kinds without a target.
  std::int32_t target_type;
  std::function<std::unique_ptr<CSceneItem>()> create;
  std::function<bool(const CSceneItem&)> matches;
  // The head and the kind's own fields; "kind" and "target" are the scene builder's.
  std::function<void(CSceneItem&, const Json&, const CSceneSite&)> apply;
  std::function<void(const CSceneItem&, Json&)> describe;
};

const std::vector<ItemKind>& ItemKinds();
// Null when no kind has that name.
const ItemKind* FindKind(const std::string& name);
const ItemKind& KindOf(const CSceneItem& item);
// "picture", "text", ... for messages.
std::string KindNames();

}  // namespace saver::tool
