#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace saver {

// Where the bytes of embedded files live: a package held in memory or on disk, or bytes of their
// own. Reads may come from several threads at once.
class CByteSource {
 public:
  virtual ~CByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Copies `out.size()` bytes from `offset`; the range lies inside Size().
  virtual void Read(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
  // The bytes themselves when they are held in memory, else null.
  virtual const std::uint8_t* Memory() const { return nullptr; }
};

// Bytes held elsewhere (a mapped file) that outlive every reader of this source.
class CMemorySource final : public CByteSource {
 public:
  CMemorySource(const std::uint8_t* data, std::uint64_t size) : data_(data), size_(size) {}
  std::uint64_t Size() const override { return size_; }
  void Read(std::uint64_t offset, std::span<std::uint8_t> out) const override;
  const std::uint8_t* Memory() const override { return data_; }

 private:
  const std::uint8_t* data_;
  std::uint64_t size_;
};

// Bytes the source owns.
class COwnedSource final : public CByteSource {
 public:
  explicit COwnedSource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  void Read(std::uint64_t offset, std::span<std::uint8_t> out) const override;
  const std::uint8_t* Memory() const override { return bytes_.data(); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace saver
