#pragma once

namespace saver {

class CItemList;
class CUserMessages;
class CImageMeasurer;

// What Validate may consult: the list the item stands in (loop ends search it), where messages go,
// and the pictures' measuring step (null when the build has none, which fails image validation).
struct ValidationContext {
  const CItemList& items;
  CUserMessages& messages;
  CImageMeasurer* measurer = nullptr;
};

}  // namespace saver
