#include "EmbeddedFiles.h"

#include "AnsiText.h"
#include "ToolError.h"
#include "media/MediaItem.h"
#include "scene/ImageItem.h"

namespace saver::tool {
namespace {

// The recorded name's last part (a Windows path may use either separator), without characters
// that are unsafe in a file name.
std::string SafeBaseName(const std::string& recorded) {
  const std::size_t cut = recorded.find_last_of("/\\:");
  std::string base = Utf8FromAnsi(cut == std::string::npos ? recorded : recorded.substr(cut + 1));
  for (char& c : base) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>\"|?*").find(c) != std::string_view::npos) c = '_';
  }
  if (base.empty() || base == "." || base == "..") return "data";
  return base;
}

void CreateFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw CToolError(folder.string() + ": cannot create the folder (" + error.message() + ")");
}

}  // namespace

EmbeddedData EmbeddedDataOf(const CSceneItem& item) {
  if (const auto* image = dynamic_cast<const CImageItem*>(&item)) return {&image->data, &image->file_name};
  if (const auto* media = dynamic_cast<const CMediaItem*>(&item)) return {&media->data, &media->file_name};
  return {};
}

std::vector<EmbeddedFile> WriteEmbeddedFiles(const CItemList& items, const std::filesystem::path& folder,
                                             CProgress& progress) {
  CreateFolder(folder);
  std::vector<EmbeddedFile> written;
  for (std::size_t i = 0; i < items.Size(); ++i) {
    const EmbeddedData embedded = EmbeddedDataOf(items.At(i));
    if (embedded.bytes == nullptr || embedded.bytes->empty()) continue;
    const std::filesystem::path item_folder = folder / ("item-" + std::to_string(i));
    const std::string name = SafeBaseName(*embedded.recorded_name);
    CreateFolder(item_folder);
    written.push_back({i, item_folder / name, *embedded.recorded_name, name != Utf8FromAnsi(*embedded.recorded_name)});
    progress.Step("writing " + written.back().path.string(), embedded.bytes->size());
    WriteFileBytes(written.back().path, embedded.bytes->PlainCopy());
  }
  return written;
}

}  // namespace saver::tool
