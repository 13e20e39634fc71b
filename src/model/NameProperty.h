#pragma once
#include <string>

#include "model/ItemProperty.h"

namespace saver {

// One scrambled string: the names and labels of items and properties.
class CNameProperty final : public CItemProperty {
 public:
  CNameProperty() = default;
  explicit CNameProperty(std::string text) : text_(std::move(text)) {}

  void Copy(const CNameProperty& other) { text_ = other.text_; }
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  bool Validate(const ValidationContext&) override { return true; }

  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

 private:
  std::string text_;
};

}  // namespace saver
