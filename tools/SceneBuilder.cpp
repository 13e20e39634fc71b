#include "SceneBuilder.h"

#include "EmbeddedFiles.h"
#include "FileSource.h"
#include "FieldTable.h"
#include "ItemKinds.h"
#include "PackageDescription.h"
#include "ToolError.h"
#include "model/PackageItems.h"
#include "package/ArchiveWriter.h"
#include "package/Signatures.h"

namespace saver::tool {
namespace {

const std::vector<std::string> kSceneFields = {"signature", "version", "reserved", "exit_button", "items"};

Json ParseSceneText(const Bytes& bytes, const std::filesystem::path& scene_file) {
  try {
    return Json::parse(bytes.begin(), bytes.end());
  } catch (const Json::parse_error& error) {
    throw CToolError(scene_file.string() + ": not valid JSON (" + error.what() + ")");
  }
}

float ReadVersion(const Json& value, const CSceneSite& at) {
  if (!value.is_number()) at.Fail("expected a version number such as 4.81");
  const auto version = static_cast<float>(value.get<double>());
  if (!(version > 0.0f && static_cast<double>(version) <= kNewestPackageVersion)) {
    at.Fail("version " + value.dump() + " is out of range (valid: above 0, at most 4.81)");
  }
  return version;
}

void ReadHeader(const Json& scene, const CSceneSite& at, BuiltScene& built) {
  for (const auto& [key, value] : scene.items()) {
    if (std::find(kSceneFields.begin(), kSceneFields.end(), key) == kSceneFields.end()) {
      at.Member(key).Fail("unknown field (valid fields: " + ListNames(kSceneFields) + ")");
    }
  }
  PackageHeader& header = built.package->header;
  header.signature = SAVER_SIGNATURE_A;
  if (scene.contains("signature")) {
    const Json& value = scene["signature"];
    if (value != "A" && value != "B") at.Member("signature").Fail("expected \"A\" or \"B\", got " + value.dump());
    header.signature = value == "A" ? SAVER_SIGNATURE_A : SAVER_SIGNATURE_B;
  }
  if (scene.contains("version")) header.version = ReadVersion(scene["version"], at.Member("version"));
  if (scene.contains("reserved")) {
    header.reserved = static_cast<std::uint32_t>(ReadInteger(scene["reserved"], at.Member("reserved"), 0, 0xFFFFFFFF));
  }
  if (scene.contains("exit_button")) built.exit_button = ReadFlag(scene["exit_button"], at.Member("exit_button"));
}

const ItemKind& ReadKind(const Json& entry, const CSceneSite& at) {
  if (!entry.is_object()) at.Fail("expected an item object {\"kind\": ...}");
  if (!entry.contains("kind")) at.Fail("missing \"kind\" (one of " + KindNames() + ")");
  const Json& name = entry["kind"];
  const ItemKind* kind = name.is_string() ? FindKind(name.get<std::string>()) : nullptr;
  if (kind == nullptr) at.Member("kind").Fail("unknown kind " + name.dump() + " (valid: " + KindNames() + ")");
  return *kind;
}

std::string ResourceWords(std::int32_t type) {
  return type == kImageItem ? "picture or text" : "media item";
}

// The resource an action names by its name (unique among resources of the right type) or index.
CSceneItem& ResolveTarget(const Json& target, const CItemList& items, std::int32_t type, const CSceneSite& at) {
  if (target.is_number()) {
    const auto index = static_cast<std::size_t>(ReadInteger(target, at, 0, static_cast<std::int64_t>(items.Size()) - 1));
    if (items.At(index).TypeId() != type) at.Fail("items[" + std::to_string(index) + "] is not a " + ResourceWords(type));
    return items.At(index);
  }
  const std::string name = ReadAnsiText(target, at);
  CSceneItem* found = nullptr;
  for (const auto& item : items) {
    if (item->TypeId() != type || item->Name().Text() != name) continue;
    if (found != nullptr) at.Fail("more than one item is named " + target.dump() + "; give its index instead");
    found = item.get();
  }
  if (found == nullptr) at.Fail("no " + ResourceWords(type) + " is named " + target.dump());
  return *found;
}

void LinkTargets(const Json& entries, CItemList& items, const CSceneSite& at) {
  for (std::size_t i = 0; i < items.Size(); ++i) {
    const CSceneSite site = at.Element(i);
    const ItemKind& kind = KindOf(items.At(i));
    const Json& entry = entries[i];
    if (kind.target_type < 0) {
      if (entry.contains("target")) site.Member("target").Fail("a " + kind.name + " item takes no target");
      continue;
    }
    if (!entry.contains("target")) {
      site.Fail("missing \"target\": the name or index of the " + ResourceWords(kind.target_type) +
                " this " + kind.name + " acts on");
    }
    LinkAction(ResolveTarget(entry["target"], items, kind.target_type, site.Member("target")), items.At(i));
  }
}

// The bytes of every file the items embed, for the progress line.
std::uint64_t EmbeddedBytes(const CItemList& items) {
  std::uint64_t total = 0;
  for (const auto& item : items) {
    const EmbeddedData embedded = EmbeddedDataOf(*item);
    if (embedded.bytes != nullptr) total += embedded.bytes->size();
  }
  return total;
}

void ReadItems(const Json& scene, const CSceneSite& at, CItemList& items, CProgress& progress) {
  if (!scene.contains("items")) at.Fail("missing \"items\" (the list of the show's items)");
  const Json& entries = scene["items"];
  const CSceneSite list = at.Member("items");
  if (!entries.is_array()) list.Fail("expected a list [...] of items");
  std::uint64_t embedded_total = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const CSceneSite site = list.Element(i);
    const ItemKind& kind = ReadKind(entries[i], site);
    std::unique_ptr<CSceneItem> item = kind.create();
    kind.apply(*item, entries[i], site);
    const EmbeddedData embedded = EmbeddedDataOf(*item);
    items.Append(std::move(item));
    if (embedded.bytes != nullptr && !embedded.bytes->empty()) {
      embedded_total += embedded.bytes->size();
      progress.Step("item " + std::to_string(i + 1) + " of " + std::to_string(entries.size()) + " read (" +
                        Utf8FromAnsi(*embedded.recorded_name) + "); files embedded in all",
                    embedded_total);
    }
  }
  LinkTargets(entries, items, list);
}

// The value at a dotted path of a description.
Json FirstLeaf(const Json& description, const std::string& path) {
  const Json* value = &description;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t dot = std::min(path.find('.', start), path.size());
    value = &(*value)[path.substr(start, dot - start)];
    start = dot + 1;
  }
  return *value;
}

// The first leaf where two descriptions differ, as "path.start.x_mode", or "".
std::string FirstDifference(const Json& wanted, const Json& got, const std::string& prefix) {
  if (wanted.is_object() && got.is_object()) {
    for (const auto& [key, value] : wanted.items()) {
      const std::string path = prefix.empty() ? key : prefix + "." + key;
      if (!got.contains(key)) return path;
      std::string difference = FirstDifference(value, got[key], path);
      if (!difference.empty()) return difference;
    }
    return {};
  }
  return wanted == got ? std::string() : prefix;
}

// Reads the written package back with the engine's reader: every value must come back. Older
// layouts carry fewer fields (and the oldest path layouts no edge modes), so a value the chosen
// version cannot hold is refused here instead of being lost.
void CheckReadsBack(BuiltScene& built, const std::filesystem::path& written_file, std::uint64_t offset,
                    const CSceneSite& at) {
  // Read from the file as written, once, without holding it.
  const std::unique_ptr<LoadedPackage> read =
      LoadPackage(CFileSource::Open(written_file), offset, at.FileName() + " (as written)");
  built.package->bytes = read->bytes;
  const CItemList& written = built.package->registry.Items();
  const CItemList& back = read->registry.Items();
  for (std::size_t i = 0; i < written.Size(); ++i) {
    const Json wanted = DescribeItem(written.At(i), written);
    const Json got = DescribeItem(back.At(i), back);
    const std::string field = FirstDifference(wanted, got, {});
    if (field.empty()) continue;
    at.Member("items").Element(i).Member(field).Fail(
        "the package layout of version " + VersionText(built.package->header.version) + " under signature " +
        SignatureLabel(built.package->header.signature) + " cannot hold this value (it reads back as " +
        FirstLeaf(got, field).dump() + ")");
  }
}

}  // namespace

BuiltScene BuildScene(const std::filesystem::path& scene_file, CPartialFile& out, std::span<const std::uint8_t> head) {
  CProgress silent;
  return BuildScene(scene_file, silent, out, head);
}

BuiltScene BuildScene(const std::filesystem::path& scene_file, CProgress& progress, CPartialFile& out,
                      std::span<const std::uint8_t> head) {
  const Bytes text = ReadFileBytes(scene_file);
  const Json scene = ParseSceneText(text, scene_file);
  const CSceneSite at(scene_file.string(), scene_file.parent_path(),
                      std::make_shared<const JsonPositions>(
                          MapJsonPositions(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()))));
  if (!scene.is_object()) at.Fail("expected a scene object {\"items\": [...]}");
  BuiltScene built;
  built.package = std::make_unique<LoadedPackage>();
  ReadHeader(scene, at, built);
  CItemList& items = built.package->registry.Items();
  ReadItems(scene, at, items, progress);
  progress.Step("checking " + std::to_string(items.Size()) + " items as the engine does", EmbeddedBytes(items));
  const std::string failure = FirstValidationFailure(*built.package);
  if (!failure.empty()) at.Fail(failure);
  progress.Step("writing " + out.Target().string(), EmbeddedBytes(items));
  out.Write(head);
  CArchiveWriter writer(out);  // each embedded file goes from its own file into the package
  WritePackage(writer, built.package->header, built.package->registry.Items());
  out.Flush();
  built.package->found_signature = built.package->header.signature;
  progress.Step("reading the package back", writer.Written());
  CheckReadsBack(built, out.Path(), head.size(), at);
  return built;
}

}  // namespace saver::tool
