#include "PackageDescription.h"

#include "ItemKinds.h"
#include "model/ResourceItem.h"

namespace saver::tool {
namespace {

// The resource an action targets, by name when that is unambiguous among its kind, else by index.
Json DescribeTarget(const CSceneItem& action, const CItemList& items) {
  for (std::size_t i = 0; i < items.Size(); ++i) {
    const auto* resource = dynamic_cast<const CResourceItem*>(&items.At(i));
    if (resource == nullptr) continue;
    for (const CItemRef& referrer : resource->Referrers()) {
      if (&referrer.Item() != &action) continue;
      const std::string& name = resource->Name().Text();
      int same_name = 0;
      for (const auto& item : items) same_name += item->TypeId() == resource->TypeId() && item->Name().Text() == name;
      if (!name.empty() && same_name == 1) return Json(Utf8FromAnsi(name));
      return Json(i);
    }
  }
  return Json(nullptr);
}

}  // namespace

Json DescribeItem(const CSceneItem& item, const CItemList& items) {
  const ItemKind& kind = KindOf(item);
  Json object = Json::object();
  object["kind"] = kind.name;
  if (kind.target_type >= 0) object["target"] = DescribeTarget(item, items);
  kind.describe(item, object);
  return object;
}

namespace {

std::string FormatValue(const Json& value) {
  if (!value.is_object()) return value.dump();
  std::string text = "{";
  for (const auto& [key, member] : value.items()) {
    text += (text.size() > 1 ? ", " : "") + key + ": " + FormatValue(member);
  }
  return text + "}";
}

}  // namespace

Json DescribePackage(LoadedPackage& package, const PackageLocation& where, bool exit_button,
                     const std::string& file_name) {
  Json description = Json::object();
  description["file"] = file_name;
  description["container"] = ContainerName(where.container);
  description["offset"] = where.offset;
  description["exit_button"] = exit_button;
  description["package_size"] = package.bytes.size;
  description["signature"] = SignatureLabel(package.header.signature);
  description["version"] = Json::parse(VersionText(package.header.version));
  description["reserved"] = package.header.reserved;
  if (!package.reading_note.empty()) {
    description["found_signature"] = Utf8FromAnsi(package.found_signature);
    description["reading"] = package.reading_note;
  }
  Json items = Json::array();
  const CItemList& list = package.registry.Items();
  for (const auto& item : list) items.push_back(DescribeItem(*item, list));
  description["items"] = std::move(items);
  return description;
}

std::string FormatDescription(const Json& description) {
  std::string text;
  for (const auto& [key, value] : description.items()) {
    if (key == "items") continue;
    text += key + ": " + (value.is_string() ? value.get<std::string>() : FormatValue(value)) + "\n";
  }
  const Json& items = description["items"];
  text += "items: " + std::to_string(items.size()) + "\n";
  for (std::size_t i = 0; i < items.size(); ++i) {
    text += "  [" + std::to_string(i) + "] " + items[i]["kind"].get<std::string>() + "\n";
    for (const auto& [key, value] : items[i].items()) {
      if (key != "kind") text += "      " + key + ": " + FormatValue(value) + "\n";
    }
  }
  return text;
}

}  // namespace saver::tool
