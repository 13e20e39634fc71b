#pragma once
#include <cstddef>
#include <cstdint>

namespace saver {

// Where each conversion of one playing pass starts, how much it offers the codec and with which
// flags. The codec consumes whole blocks only; what it leaves is offered again with the next chunk.
enum class ChunkKind { kFirst, kMiddle, kLast };

// MP3 bytes offered per conversion.
inline constexpr std::uint32_t kMP3ChunkBytes = 131072;

class CMP3ChunkSequence {
 public:
  struct Chunk {
    std::size_t offset = 0;
    std::uint32_t length = 0;
    ChunkKind kind = ChunkKind::kFirst;
  };

  explicit CMP3ChunkSequence(std::size_t total) : total_(total) {}

  // The next chunk. `offered` is the source length of the conversion header: it only ever
  // shrinks, to what remains, and the chunk that reaches the end is the last one (a block of at
  // most 131072 bytes therefore goes in a single last chunk).
  Chunk Next(std::uint32_t& offered) const;
  // Records what the codec consumed of the chunk `Next` gave.
  void Consumed(std::uint32_t used);
  // True once every byte has been consumed, or once a conversion consumed nothing: offering the
  // same bytes again would give the same answer for ever.
  bool AtEnd() const { return stalled_ || position_ >= total_; }
  std::size_t Position() const { return position_; }

 private:
  std::size_t total_;
  std::size_t position_ = 0;
  bool stalled_ = false;
};

}  // namespace saver
