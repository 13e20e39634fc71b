#include "package/StoredBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {
namespace {

// Longer than the writer's pieces, so that a file crosses several of them.
std::vector<std::uint8_t> LargeFile() {
  std::vector<std::uint8_t> bytes((5 << 19) + 7);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + i / 977);
  return bytes;
}

class CollectingSink final : public CByteSink {
 public:
  void Write(std::span<const std::uint8_t> bytes) override {
    written.insert(written.end(), bytes.begin(), bytes.end());
    ++pieces;
  }
  std::vector<std::uint8_t> written;
  int pieces = 0;
};

// A dword, the embedded file scrambled, a dword: as an item record holds one.
std::vector<std::uint8_t> Record(const CStoredBytes& file, CArchiveWriter&& archive) {
  archive.WriteDword(0x11223344);
  archive.ScrambledBytes(file, static_cast<std::uint32_t>(file.size()));
  archive.WriteDword(0x55667788);
  return archive.Bytes();
}

TEST(StoredBytes, ReferredBytesReadBackPlainAndAreWrittenAsTheyWereStored) {
  const std::vector<std::uint8_t> plain = LargeFile();
  const std::vector<std::uint8_t> record = Record(plain, CArchiveWriter());
  ASSERT_EQ(record.size(), plain.size() + 8);

  auto package = std::make_shared<const COwnedSource>(record);
  CArchiveReader from_memory(package, 0);
  std::istringstream stream(std::string(record.begin(), record.end()));
  CArchiveReader from_stream(stream, package, 0);
  for (CArchiveReader* archive : {&from_memory, &from_stream}) {
    CStoredBytes file;
    EXPECT_EQ(archive->ReadDword(), 0x11223344u);
    archive->ScrambledBytes(file, static_cast<std::uint32_t>(plain.size()));
    EXPECT_EQ(archive->ReadDword(), 0x55667788u);  // the file was skipped, not read
    EXPECT_TRUE(file.IsScrambled());
    EXPECT_EQ(file.PlainCopy(), plain);
    std::vector<std::uint8_t> scratch;
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), file.Plain(scratch).begin()));

    std::vector<std::uint8_t> pieces;
    file.ForEachPiece(1 << 20, [&](std::span<const std::uint8_t> piece) {
      EXPECT_LE(piece.size(), 1u << 20);
      pieces.insert(pieces.end(), piece.begin(), piece.end());
    });
    EXPECT_EQ(pieces, plain);

    CollectingSink sink;
    Record(file, CArchiveWriter(sink));
    EXPECT_EQ(sink.written, record);
    EXPECT_GT(sink.pieces, 3);  // streamed, not gathered
  }
}

TEST(StoredBytes, PlainBytesInMemoryAreUsedWhereTheyLie) {
  const CStoredBytes file = std::vector<std::uint8_t>{1, 2, 3};
  std::vector<std::uint8_t> scratch;
  const std::span<const std::uint8_t> plain = file.Plain(scratch);
  EXPECT_TRUE(scratch.empty());
  EXPECT_EQ(std::vector<std::uint8_t>(plain.begin(), plain.end()), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(CStoredBytes().empty());
}

TEST(StoredBytes, ARangeOutsideItsSourceIsRefused) {
  auto source = std::make_shared<const COwnedSource>(std::vector<std::uint8_t>(10));
  EXPECT_THROW(CStoredBytes(source, 4, 7, true), std::out_of_range);
  EXPECT_NO_THROW(CStoredBytes(source, 4, 6, true));
}

}  // namespace
}  // namespace saver
