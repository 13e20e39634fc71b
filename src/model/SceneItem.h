#pragma once
#include <cstdint>
#include <memory>

#include "model/NameProperty.h"

namespace saver {

class CArchiveReader;
class CArchiveWriter;
class CSceneRuntime;
struct ValidationContext;

// Type ids of the fourteen item kinds: the index of each kind's prototype in the registry.
enum ItemType : std::int32_t {
  kImageItem = 0,
  kShowImageItem = 1,
  kMoveImageItem = 2,
  kHideImageItem = 3,
  kDelayItem = 4,
  kFillScreenItem = 5,
  kLoopStartItem = 6,
  kLoopEndItem = 7,
  kLineItem = 8,
  kMediaItem = 9,
  kPlayMediaItem = 10,
  kStopMediaItem = 11,
  kStringItem = 12,
  kLinkItem = 13,
};
inline constexpr int kItemTypeCount = 14;

// One step or resource of a show. The common head (name, builder value, disabled flag) is read by
// the base Load right after the record's type id; each kind reads its own fields behind it.
class CSceneItem {
 public:
  explicit CSceneItem(std::int32_t type_id) : type_id_(type_id) {}
  virtual ~CSceneItem() = default;
  CSceneItem(const CSceneItem&) = delete;
  CSceneItem& operator=(const CSceneItem&) = delete;

  // Copies the name and builder value (never the type id, index or disabled flag). `other` must
  // be of the same kind; kinds extend this with their own fields.
  virtual CSceneItem& Copy(const CSceneItem& other);
  virtual void Load(CArchiveReader& archive);
  // The inverse of Load, in the layout that the archive's versions select.
  virtual void Save(CArchiveWriter& archive) const;
  virtual bool Validate(const ValidationContext& context);
  // Runs the item on the scene thread; may move the running index (loops). 0 or nonzero.
  virtual int Execute(CSceneRuntime& runtime, int& running_index) = 0;
  // A new default item of the same kind (never a copy of this one).
  virtual std::unique_ptr<CSceneItem> Create() const = 0;
  virtual void AddReferrer(CSceneItem& referrer) {}
  virtual void SetTarget(CSceneItem& resource) {}
  void SetDisabled(std::uint32_t disabled) { disabled_ = disabled; }
  std::uint32_t IsDisabled() const { return disabled_; }

  std::int32_t TypeId() const { return type_id_; }
  std::int32_t Index() const { return index_; }
  void SetIndex(std::int32_t index) { index_ = index; }
  const CNameProperty& Name() const { return name_; }
  CNameProperty& Name() { return name_; }
  std::uint32_t BuilderValue() const { return builder_value_; }
  void SetBuilderValue(std::uint32_t value) { builder_value_ = value; }

 protected:
  // Validate of kinds without a property: disabled items pass, others need a valid name.
  bool ValidateHead(const ValidationContext& context);

 private:
  CNameProperty name_;
  std::uint32_t builder_value_ = 0;  // carried for the authoring tool; the engine ignores it
  std::int32_t type_id_;
  std::int32_t index_ = -1;          // position in the item list, set after loading
  std::uint32_t disabled_ = 0;
};

}  // namespace saver
