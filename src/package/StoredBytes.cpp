#include "package/StoredBytes.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "package/Scrambler.h"

namespace saver {

void CMemorySource::Read(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (!out.empty()) std::memcpy(out.data(), data_ + offset, out.size());
}

void COwnedSource::Read(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (!out.empty()) std::memcpy(out.data(), bytes_.data() + offset, out.size());
}

CStoredBytes::CStoredBytes(std::vector<std::uint8_t> plain) {
  if (plain.size() > UINT32_MAX) throw std::length_error("embedded file larger than a package can hold");
  size_ = static_cast<std::uint32_t>(plain.size());
  if (size_ != 0) source_ = std::make_shared<COwnedSource>(std::move(plain));
}

CStoredBytes::CStoredBytes(std::shared_ptr<const CByteSource> source, std::uint64_t offset, std::uint32_t size,
                           bool scrambled)
    : source_(std::move(source)), offset_(offset), size_(size), scrambled_(scrambled) {
  if (size_ != 0 && (source_ == nullptr || offset_ > source_->Size() || source_->Size() - offset_ < size_)) {
    throw std::out_of_range("embedded file outside its source");
  }
}

void CStoredBytes::ReadStored(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (offset > size_ || size_ - offset < out.size()) throw std::out_of_range("read outside an embedded file");
  if (!out.empty()) source_->Read(offset_ + offset, out);
}

std::span<const std::uint8_t> CStoredBytes::Plain(std::vector<std::uint8_t>& scratch) const {
  if (size_ == 0) return {};
  if (!scrambled_ && source_->Memory() != nullptr) return {source_->Memory() + offset_, size_};
  scratch.resize(size_);
  ReadStored(0, scratch);
  if (scrambled_) ShiftBytes(scratch, ScrambleShift(size_), ScrambleDirection::kUnscramble);
  return scratch;
}

std::vector<std::uint8_t> CStoredBytes::PlainCopy() const {
  std::vector<std::uint8_t> scratch;
  const std::span<const std::uint8_t> plain = Plain(scratch);
  if (plain.data() != scratch.data()) scratch.assign(plain.begin(), plain.end());
  return scratch;
}

void CStoredBytes::ForEachPiece(std::size_t piece_size,
                                const std::function<void(std::span<const std::uint8_t>)>& piece) const {
  std::vector<std::uint8_t> buffer(std::min<std::size_t>(piece_size, size_));
  for (std::uint64_t done = 0; done < size_;) {
    const std::span<std::uint8_t> part(buffer.data(), std::min<std::uint64_t>(buffer.size(), size_ - done));
    ReadStored(done, part);
    if (scrambled_) ShiftBytes(part, ScrambleShift(size_), ScrambleDirection::kUnscramble);
    piece(part);
    done += part.size();
  }
}

}  // namespace saver
