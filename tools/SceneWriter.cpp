#include "SceneWriter.h"

#include <algorithm>

#include "ItemKinds.h"
#include "PackageDescription.h"

namespace saver::tool {
namespace {

// Members every scene item keeps, whatever their value.
const std::vector<std::string> kAlwaysGiven = {"kind", "target", "file", "media"};

// Removes from `object` the members equal to those of `fresh` (in nested objects member by member,
// dropping objects left empty).
void DropDefaults(Json& object, const Json& fresh) {
  for (auto member = object.begin(); member != object.end();) {
    const std::string key = member.key();
    const bool keep = std::find(kAlwaysGiven.begin(), kAlwaysGiven.end(), key) != kAlwaysGiven.end();
    if (!keep && fresh.contains(key)) {
      if (member->is_object()) DropDefaults(*member, fresh[key]);
      if (*member == fresh[key] || (member->is_object() && member->empty())) {
        member = object.erase(member);
        continue;
      }
    }
    ++member;
  }
}

Json EditableItem(const CItemList& items, std::size_t index, const std::vector<EmbeddedFile>& files,
                  const std::filesystem::path& scene_folder) {
  const CSceneItem& item = items.At(index);
  Json object = DescribeItem(item, items);
  object.erase("data_size");  // printed by info, ignored by build
  // The recorded name gives way to the extracted file, which carries that name.
  const auto file = std::find_if(files.begin(), files.end(),
                                 [index](const EmbeddedFile& f) { return f.item_index == index; });
  if (file != files.end()) {
    object["file"] = std::filesystem::absolute(file->path).lexically_relative(scene_folder).generic_string();
  } else {
    object.erase("file");
  }
  const ItemKind& kind = KindOf(item);
  const std::unique_ptr<CSceneItem> fresh_item = kind.create();
  Json fresh = Json::object();
  kind.describe(*fresh_item, fresh);
  DropDefaults(object, fresh);
  return object;
}

}  // namespace

Json DescribeEditableScene(const LoadedPackage& package, bool exit_button, const std::vector<EmbeddedFile>& files,
                           const std::filesystem::path& scene_folder) {
  const std::filesystem::path folder = std::filesystem::absolute(scene_folder);
  Json scene = Json::object();
  scene["signature"] = SignatureLabel(package.header.signature);
  scene["version"] = Json::parse(VersionText(package.header.version));
  scene["reserved"] = package.header.reserved;
  scene["exit_button"] = exit_button;
  Json items = Json::array();
  const CItemList& list = package.registry.Items();
  for (std::size_t i = 0; i < list.Size(); ++i) items.push_back(EditableItem(list, i, files, folder));
  scene["items"] = std::move(items);
  return scene;
}

void WriteEditableScene(const std::filesystem::path& scene_file, const LoadedPackage& package, bool exit_button,
                        const std::vector<EmbeddedFile>& files) {
  const std::string text =
      DescribeEditableScene(package, exit_button, files, std::filesystem::absolute(scene_file).parent_path()).dump(2) +
      "\n";
  WriteFileBytes(scene_file, Bytes(text.begin(), text.end()));
}

}  // namespace saver::tool
