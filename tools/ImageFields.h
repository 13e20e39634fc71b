#pragma once
#include "package/StoredBytes.h"
#include "FieldTable.h"
#include "scene/ImageItem.h"

namespace saver::tool {

// The JSON fields of an image item in its two forms: a picture (embedded file, desktop snapshot
// or wallpaper) and a text with its colours and font.
const FieldTable<CImageItem>& PictureFields();
const FieldTable<CImageItem>& TextFields();

// The bytes of a file named relative to the scene file's folder, read from the file when they are
// needed; a missing, unreadable or empty file fails naming the field.
CStoredBytes ReadReferencedFile(const Json& value, const CSceneSite& at, std::string& display_name);

}  // namespace saver::tool
