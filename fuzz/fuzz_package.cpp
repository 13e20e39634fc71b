// libFuzzer target: the package reader over arbitrary bytes, with a registry whose messages go
// nowhere and whose pictures measure from their first two bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <sstream>
#include <string>

#include "app/ItemRegistry.h"
#include "base/UserMessages.h"
#include "package/ArchiveReader.h"
#include "scene/ImageItem.h"
#include "scene/ImageMeasurer.h"

namespace {

class SilentMessages final : public saver::CUserMessages {
 public:
  void ShowError(std::string_view) override {}
};

class SilentPictureMessages final : public saver::CMessageSink {
 public:
  void Show(std::string_view) override {}
};

class HeaderMeasurer final : public saver::CImageMeasurer {
 public:
  explicit HeaderMeasurer(saver::CMessageSink& messages) : CImageMeasurer(messages) {}
  std::optional<saver::Size> RenderText(saver::CImageItem& item) override {
    return saver::Size{static_cast<int>(item.text.size()), 1};
  }

 protected:
  std::optional<saver::Size> Measure(std::span<const std::uint8_t> bytes, saver::CMessageSink&) override {
    if (bytes.size() < 2) return std::nullopt;
    return saver::Size{bytes[0], bytes[1]};
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SilentMessages messages;
  SilentPictureMessages picture_messages;
  HeaderMeasurer measurer(picture_messages);
  saver::CItemRegistry registry(messages, &measurer);
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  saver::CArchiveReader reader(in);
  std::uint32_t reserved = 0;
  saver::ReadPackage(reader, registry, &reserved);
  return 0;
}
