#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace saver {

// A cursor over untrusted bytes: every read is bounds-checked and a read past the end fails
// (returns false, leaves the cursor where it was). Multi-byte values are little-endian.
class CByteReader {
 public:
  explicit CByteReader(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t Position() const { return pos_; }
  std::size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ == data_.size(); }

  bool Seek(std::size_t pos) {
    if (pos > data_.size()) return false;
    pos_ = pos;
    return true;
  }
  bool Skip(std::size_t n) { return n <= Remaining() && Seek(pos_ + n); }

  bool U8(std::uint8_t& v) {
    if (Remaining() < 1) return false;
    v = data_[pos_++];
    return true;
  }
  bool U16(std::uint16_t& v) {
    if (Remaining() < 2) return false;
    v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool U32(std::uint32_t& v) {
    if (Remaining() < 4) return false;
    v = data_[pos_] | (data_[pos_ + 1] << 8) | (data_[pos_ + 2] << 16) |
        (static_cast<std::uint32_t>(data_[pos_ + 3]) << 24);
    pos_ += 4;
    return true;
  }
  bool I32(std::int32_t& v) {
    std::uint32_t u;
    if (!U32(u)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
  }
  // The next n bytes, or an empty span (cursor unchanged) when fewer remain.
  std::span<const std::uint8_t> Take(std::size_t n) {
    if (n > Remaining()) return {};
    auto s = data_.subspan(pos_, n);
    pos_ += n;
    return s;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

}  // namespace saver
