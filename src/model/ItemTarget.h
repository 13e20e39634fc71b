#pragma once
#include <cstdint>
#include <string_view>

namespace saver {

class CSceneItem;
class CUserMessages;

// The non-owning link from an action to the resource it acts on, set by the package's link section.
class CItemTarget {
 public:
  void Set(CSceneItem& resource) { item_ = &resource; }
  CSceneItem* Get() const { return item_; }

  // True when the target is set and of the expected kind; otherwise shows `message`.
  bool Validate(std::int32_t expected_type, std::string_view message, CUserMessages& messages) const;

 private:
  CSceneItem* item_ = nullptr;
};

}  // namespace saver
