#pragma once
#include <string>

#include "FieldTable.h"
#include "LoadedPackage.h"
#include "SaverFile.h"

namespace saver::tool {

// What `info` prints: where the package was found, its header and every item with its fields,
// in the field names of the scene description (so the JSON can be compared with, or edited into,
// a scene file).
Json DescribePackage(LoadedPackage& package, const PackageLocation& where, bool exit_button,
                     const std::string& file_name);

// One item: "kind", "target" for actions, then the head and the kind's fields.
Json DescribeItem(const CSceneItem& item, const CItemList& items);

// The same as indented text, one line per top-level field.
std::string FormatDescription(const Json& description);

}  // namespace saver::tool
