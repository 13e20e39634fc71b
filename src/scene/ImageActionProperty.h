#pragma once
#include "model/ColorProperty.h"
#include "model/ItemTarget.h"
#include "model/NameProperty.h"
#include "scene/PathProperty.h"

namespace saver {

class CImageItem;

// What a show, move or hide action carries: its target image, its path and its colour.
class CImageActionProperty final : public CItemProperty {
 public:
  // The name, path and colour; never the target.
  void Copy(const CImageActionProperty& other);
  // The path, then the colour; the target comes from the link section.
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  // The target must be an image ("You have to choose the image."), the path and colour valid.
  bool Validate(const ValidationContext& context) override;

  // The target when it is an image, else null.
  CImageItem* TargetImage() const;

  CItemTarget target;
  CPathProperty path;
  CColorProperty colour;
  CNameProperty name;  // carried, never loaded or used

 private:
  // The one list of the fields that Load and Save store and Copy copies.
  template <typename Visitor>
  static void Fields(Visitor&& fields);
};

}  // namespace saver
