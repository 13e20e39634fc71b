#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "base/win/ScopedWin.h"
#include "package/ByteSource.h"

namespace saver::win {

// A file mapped for reading (shared for reading), kept mapped while anything refers to it.
class CMappedFileSource final : public CByteSource {
 public:
  // The file mapped whole, or null when it cannot be opened, is empty or cannot be mapped.
  static std::shared_ptr<const CMappedFileSource> Map(const std::wstring& path);

  std::uint64_t Size() const override { return size_; }
  void Read(std::uint64_t offset, std::span<std::uint8_t> out) const override;
  const std::uint8_t* Memory() const override { return static_cast<const std::uint8_t*>(view_.Get()); }

  CMappedFileSource(ScopedMappedView view, std::uint64_t size) : view_(std::move(view)), size_(size) {}

 private:
  ScopedMappedView view_;
  std::uint64_t size_;
};

}  // namespace saver::win
