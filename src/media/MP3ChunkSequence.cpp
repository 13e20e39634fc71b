#include "media/MP3ChunkSequence.h"

namespace saver {

CMP3ChunkSequence::Chunk CMP3ChunkSequence::Next(std::uint32_t& offered) const {
  const std::size_t remaining = total_ > position_ ? total_ - position_ : 0;
  Chunk chunk{position_, offered, position_ == 0 ? ChunkKind::kFirst : ChunkKind::kMiddle};
  if (offered >= remaining) {
    offered = static_cast<std::uint32_t>(remaining);
    chunk.length = offered;
    chunk.kind = ChunkKind::kLast;
  }
  return chunk;
}

void CMP3ChunkSequence::Consumed(std::uint32_t used) {
  if (used == 0) stalled_ = true;
  position_ += used;
}

}  // namespace saver
