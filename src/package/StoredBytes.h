#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "package/ByteSource.h"

namespace saver {

// The bytes of one embedded file (a picture, a media file) without a copy of their own where they
// already lie somewhere that outlives the item: a range of the package, stored scrambled as the
// package stores them, or a file given to the tool. Copies share the bytes. Whoever needs the
// plain bytes asks for them while it works on them (Plain), or in pieces (ForEachPiece).
class CStoredBytes {
 public:
  CStoredBytes() = default;
  // Plain bytes of the item's own.
  CStoredBytes(std::vector<std::uint8_t> plain);  // NOLINT: assigned from byte vectors
  CStoredBytes(std::initializer_list<std::uint8_t> plain) : CStoredBytes(std::vector<std::uint8_t>(plain)) {}
  // `size` bytes at `offset` of `source`; `scrambled`: as a scrambled field of that length stores them.
  CStoredBytes(std::shared_ptr<const CByteSource> source, std::uint64_t offset, std::uint32_t size, bool scrambled);

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  bool IsScrambled() const { return scrambled_; }

  // The plain bytes: where they lie when they are plain and in memory, else read and unscrambled
  // into `scratch`, which must stay while the span is used.
  std::span<const std::uint8_t> Plain(std::vector<std::uint8_t>& scratch) const;
  std::vector<std::uint8_t> PlainCopy() const;
  // Calls `piece` with the plain bytes in order, at most `piece_size` at a time, never holding more.
  void ForEachPiece(std::size_t piece_size, const std::function<void(std::span<const std::uint8_t>)>& piece) const;
  // The bytes as they are stored: scrambled or plain (see IsScrambled), from `offset`.
  void ReadStored(std::uint64_t offset, std::span<std::uint8_t> out) const;

  friend bool operator==(const CStoredBytes& a, const CStoredBytes& b) { return a.PlainCopy() == b.PlainCopy(); }

 private:
  std::shared_ptr<const CByteSource> source_;
  std::uint64_t offset_ = 0;
  std::uint32_t size_ = 0;
  bool scrambled_ = false;
};

}  // namespace saver
