#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "Progress.h"
#include "model/ItemList.h"
#include "package/StoredBytes.h"

namespace saver::tool {

// The picture or media file a picture or media item carries: its bytes and the name the package
// records for it (Windows-1252). Both null for the other kinds.
struct EmbeddedData {
  const CStoredBytes* bytes = nullptr;
  const std::string* recorded_name = nullptr;
};
EmbeddedData EmbeddedDataOf(const CSceneItem& item);

struct EmbeddedFile {
  std::size_t item_index;
  std::filesystem::path path;  // where the file was written
  std::string recorded_name;   // as the package records it
  // The file's name differs from the recorded one, which cannot name a file (a path, or
  // characters a file name cannot hold); a package built from it records the file's name.
  bool renamed;
};

// Writes the picture and media files embedded in `items` into `folder` (created when missing),
// each in a folder of its own named after the item's index, "item-INDEX/NAME", under the name the
// package records. So names cannot collide or leave the folder, and a scene that refers to the
// files builds a package recording the same names. Returns the files written, in item order.
std::vector<EmbeddedFile> WriteEmbeddedFiles(const CItemList& items, const std::filesystem::path& folder,
                                             CProgress& progress);

}  // namespace saver::tool
