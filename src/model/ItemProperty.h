#pragma once

namespace saver {

class CArchiveReader;
class CArchiveWriter;
struct ValidationContext;

// A group of fields that several item kinds embed. Each property also has a Copy from a property
// of its own class; where Copy and the layout share fields, both come from one field list
// (model/ItemFields.h).
class CItemProperty {
 public:
  virtual ~CItemProperty() = default;
  virtual void Load(CArchiveReader& archive) = 0;
  virtual void Save(CArchiveWriter& archive) const = 0;
  virtual bool Validate(const ValidationContext& context) = 0;
};

}  // namespace saver
