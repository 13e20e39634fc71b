#include "EmbeddedFiles.h"

#include "AnsiText.h"
#include "FileBytes.h"
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

}  // namespace

std::vector<std::filesystem::path> WriteEmbeddedFiles(const CItemList& items, const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw ToolError(folder.string() + ": cannot create the folder (" + error.message() + ")");
  std::vector<std::filesystem::path> written;
  for (std::size_t i = 0; i < items.Size(); ++i) {
    const Bytes* data = nullptr;
    const std::string* recorded = nullptr;
    if (const auto* image = dynamic_cast<const CImageItem*>(&items.At(i))) {
      data = &image->data;
      recorded = &image->file_name;
    } else if (const auto* media = dynamic_cast<const CMediaItem*>(&items.At(i))) {
      data = &media->data;
      recorded = &media->file_name;
    }
    if (data == nullptr || data->empty()) continue;
    written.push_back(folder / ("items-" + std::to_string(i) + "-" + SafeBaseName(*recorded)));
    WriteFileBytes(written.back(), *data);
  }
  return written;
}

}  // namespace saver::tool
