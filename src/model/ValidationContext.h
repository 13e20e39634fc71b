#pragma once

namespace saver {

class CItemList;
class UserMessages;
class ImageMeasurer;

// What Validate may consult: the list the item stands in (loop ends search it), where messages go,
// and the pictures' measuring step (null when the build has none, which fails image validation).
struct ValidationContext {
  const CItemList& items;
  UserMessages& messages;
  ImageMeasurer* measurer = nullptr;
};

}  // namespace saver
