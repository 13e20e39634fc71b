#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/ItemRegistry.h"
#include "model/ItemList.h"
#include "model/PackageItems.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "package/Signatures.h"
#include "scene/ImageItem.h"
#include "scene/ImageMeasurer.h"
#include "support/CollectedMessages.h"

namespace saver::testing {

using testing_support::CollectedMessages;

// Pictures measure as their first byte times ten by their second, and one whose first byte is
// 0 fails with the message "picture <its third byte> failed"; shorter ones fail silently. Texts
// render as 8 pixels per character by 13, unless they are "unrenderable".
class FakeMeasurer final : public CImageMeasurer {
 public:
  FakeMeasurer() : CImageMeasurer(picture_messages_) {}
  const std::vector<std::string>& PictureMessages() const { return picture_messages_.shown; }
  std::optional<Size> RenderText(CImageItem& item) override {
    if (item.text == "unrenderable") return std::nullopt;
    return Size{static_cast<int>(item.text.size()) * 8, 13};
  }

 protected:
  std::optional<Size> Measure(std::span<const std::uint8_t> bytes, CMessageSink& messages) override {
    if (bytes.size() < 2) return std::nullopt;
    if (bytes[0] == 0) {
      messages.Show("picture " + std::to_string(bytes.size() > 2 ? bytes[2] : 0) + " failed");
      return std::nullopt;
    }
    return Size{bytes[0] * 10, bytes[1] * 10};
  }

 private:
  CollectedMessages picture_messages_;
};

inline std::string AsString(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

inline std::vector<std::uint8_t> WritePackageBytes(const PackageHeader& header, const CItemList& items) {
  CArchiveWriter writer;
  WritePackage(writer, header, items);
  return writer.Bytes();
}

// A registry with collected messages and the fake measurer, and a read of bytes into it.
struct PackageFixture {
  CollectedMessages messages;
  FakeMeasurer measurer;
  CItemRegistry registry{messages, &measurer};
  std::uint32_t reserved = 0;

  bool Read(const std::vector<std::uint8_t>& bytes) {
    std::istringstream in(AsString(bytes));
    CArchiveReader reader(in);
    return ReadPackage(reader, registry, &reserved);
  }
};

inline PackageHeader HeaderA(float version = 4.81f) { return {7, SAVER_SIGNATURE_A, version}; }
inline PackageHeader HeaderB(float version) { return {7, SAVER_SIGNATURE_B, version}; }

template <typename Kind>
Kind& AppendNew(CItemList& items) {
  return static_cast<Kind&>(items.Append(std::make_unique<Kind>()));
}

}  // namespace saver::testing
