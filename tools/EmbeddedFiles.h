#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "app/ItemList.h"

namespace saver::tool {

// Writes the picture and media files embedded in `items` into `folder` (created when missing),
// one file each, named "items-INDEX-NAME" after the item's index and the last part of the name
// the authoring tool recorded, so that names cannot collide or leave the folder. Returns the
// paths written, in item order.
std::vector<std::filesystem::path> WriteEmbeddedFiles(const CItemList& items, const std::filesystem::path& folder);

}  // namespace saver::tool
