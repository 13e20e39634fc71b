#pragma once
#include <cstdint>

#include "model/ValidationContext.h"
#include "package/PackageReader.h"
#include "package/PackageWriter.h"

namespace saver {

class CArchiveWriter;
class CItemFactory;
class CItemList;
class CSceneItem;

// A package's items as the reader meets them: each record made from the factory's prototype of
// its kind and appended to `items`, the resources' referrers tied by the link section, then every
// item numbered and validated with `context`.
class CPackageItems : public CPackageContent {
 public:
  CPackageItems(const CItemFactory& factory, CItemList& items, const ValidationContext& context);

  void ReadItem(CArchiveReader& archive, std::int32_t type_id) override;
  void ReadLinkSection(CArchiveReader& archive) override;
  bool Validate() override;

 private:
  const CItemFactory& factory_;
  CItemList& items_;
  ValidationContext context_;
};

// Writes a whole package, reserved DWORD first: the header, every item in the layout the header's
// versions select, and the link section made from the resources' referrer lists. Throws
// std::invalid_argument when a referrer is not in `items`.
void WritePackage(CArchiveWriter& archive, const PackageHeader& header, const CItemList& items);

// Ties an action to its resource as the package's link section does.
void LinkAction(CSceneItem& resource, CSceneItem& action);

}  // namespace saver
