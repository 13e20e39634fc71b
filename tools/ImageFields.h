#pragma once
#include "FieldTable.h"
#include "scene/ImageItem.h"

namespace saver::tool {

// The JSON fields of an image item in its two forms: a picture (embedded file, desktop snapshot
// or wallpaper) and a text with its colours and font.
const FieldTable<CImageItem>& PictureFields();
const FieldTable<CImageItem>& TextFields();

// The bytes of a file named relative to the scene file's folder; a missing or unreadable file
// fails naming the field.
std::vector<std::uint8_t> ReadReferencedFile(const Json& value, const SceneSite& at,
                                             std::string& display_name);

}  // namespace saver::tool
