#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "package/ArchiveError.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "package/Scrambler.h"
#include "package/Windows1252.h"
#include "support/PackageTestSupport.h"

namespace saver {
namespace {

using testing::AsString;

CArchiveError::Kind FailureOf(const std::vector<std::uint8_t>& bytes, void (*read)(CArchiveReader&)) {
  std::istringstream in(AsString(bytes));
  CArchiveReader reader(in);
  try {
    read(reader);
  } catch (const CArchiveError& error) {
    return error.kind();
  }
  ADD_FAILURE() << "the read did not fail";
  return CArchiveError::Kind::kBadSchema;
}

TEST(Scrambler, ShiftsByLengthModElevenPlusThree) {
  std::vector<std::uint8_t> bytes(300, 0x10);
  Unscramble(bytes, ScrambleDirection::kUnscramble);
  EXPECT_EQ(bytes.front(), 0x16);  // (300 mod 11) + 3 = 6
  std::vector<std::uint8_t> wrapping = {0xFE, 0x00};  // length 2: shift 5, modulo 256
  Unscramble(wrapping, ScrambleDirection::kUnscramble);
  EXPECT_EQ(wrapping, (std::vector<std::uint8_t>{0x03, 0x05}));
  Unscramble(wrapping, ScrambleDirection::kScramble);
  EXPECT_EQ(wrapping, (std::vector<std::uint8_t>{0xFE, 0x00}));
}

struct PrefixCase {
  std::size_t length;
  std::vector<std::uint8_t> prefix;
};

TEST(ArchiveString, LengthPrefixesRoundTrip) {
  const PrefixCase cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {300, {0xFF, 0x2C, 0x01}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const PrefixCase& c : cases) {
    SCOPED_TRACE(c.length);
    std::string text(c.length, 'x');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
    CArchiveWriter writer;
    writer.WriteString(text);
    ASSERT_EQ(writer.Bytes().size(), c.prefix.size() + c.length);
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), writer.Bytes().begin()));
    std::istringstream in(AsString(writer.Bytes()));
    CArchiveReader reader(in);
    EXPECT_EQ(reader.ReadString(), text);
    EXPECT_EQ(reader.Remaining(), 0u);
  }
}

TEST(ArchiveString, ScrambledStringOfLength300IsShiftedBySix) {
  const std::vector<std::uint8_t> bytes = [] {
    std::vector<std::uint8_t> b = {0xFF, 0x2C, 0x01};
    b.insert(b.end(), 300, static_cast<std::uint8_t>('A' - 6));
    return b;
  }();
  std::istringstream in(AsString(bytes));
  CArchiveReader reader(in);
  std::string text;
  reader.ScrambledString(text);
  EXPECT_EQ(text, std::string(300, 'A'));
}

TEST(ArchiveString, EmptyScrambledStringIsOneByte) {
  CArchiveWriter writer;
  writer.ScrambledString("");
  EXPECT_EQ(writer.Bytes(), std::vector<std::uint8_t>{0x00});
}

TEST(ArchiveString, Utf16FormIsConvertedToWindows1252) {
  CArchiveWriter writer;
  writer.WriteUtf16String(u"Gr\u00FC\u00DFe \u20AC\u4E2D");
  std::istringstream in(AsString(writer.Bytes()));
  CArchiveReader reader(in);
  EXPECT_EQ(reader.ReadString(), "Gr\xFC\xDF" "e \x80?");
}

TEST(ArchiveString, Utf16ScrambledStringUnscramblesWithConvertedLength) {
  // "Hallo" has 5 characters: shift 8. The tool stored each character lowered by 8.
  std::u16string stored;
  for (char c : std::string("Hallo")) stored.push_back(static_cast<char16_t>(c - 8));
  CArchiveWriter writer;
  writer.WriteUtf16String(stored);
  std::istringstream in(AsString(writer.Bytes()));
  CArchiveReader reader(in);
  std::string text;
  reader.ScrambledString(text);
  EXPECT_EQ(text, "Hallo");
}

TEST(ArchiveString, RepeatedUtf16MarkerIsBadSchema) {
  const std::vector<std::uint8_t> bytes = {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 'a', 0};
  EXPECT_EQ(FailureOf(bytes, [](CArchiveReader& r) { r.ReadString(); }), CArchiveError::Kind::kBadSchema);
}

TEST(Windows1252, MapsTheCodePageAndReplacesTheRest) {
  EXPECT_EQ(Windows1252FromUtf16(u"A\u00E9\u20AC\u0178\u2122"), "A\xE9\x80\x9F\x99");
  EXPECT_EQ(Windows1252FromUtf16(u"\U0001F600x\u0100"), "?x?");
}

TEST(ArchiveReader, CutPrimitivesAreEndOfFile) {
  const auto eof = CArchiveError::Kind::kEndOfFile;
  EXPECT_EQ(FailureOf({1, 2, 3}, [](CArchiveReader& r) { r.ReadDword(); }), eof);
  EXPECT_EQ(FailureOf({}, [](CArchiveReader& r) { r.ReadString(); }), eof);
  EXPECT_EQ(FailureOf({5, 'a', 'b'}, [](CArchiveReader& r) { r.ReadString(); }), eof);
  EXPECT_EQ(FailureOf({0xFF, 0x2C}, [](CArchiveReader& r) { r.ReadString(); }), eof);
}

TEST(ArchiveReader, HugeCountsFailAsEndOfFileWithoutAllocating) {
  const auto eof = CArchiveError::Kind::kEndOfFile;
  // 0xFFFFFFF0 characters announced, three bytes present.
  EXPECT_EQ(
      FailureOf({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'}, [](CArchiveReader& r) { r.ReadString(); }),
      eof);
  // The same as UTF-16 (twice the bytes).
  EXPECT_EQ(FailureOf({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 0},
                      [](CArchiveReader& r) { r.ReadString(); }),
            eof);
  EXPECT_EQ(FailureOf({1, 2, 3, 4},
                      [](CArchiveReader& r) {
                        CStoredBytes data;
                        r.ScrambledBytes(data, 0xFFFFFFFFu);
                      }),
            eof);
}

TEST(ArchiveReader, ReadsFromTheStreamsCurrentPosition) {
  std::istringstream in(std::string("skip") + std::string("\x01\x00\x00\x00", 4));
  in.seekg(4);
  CArchiveReader reader(in);
  EXPECT_EQ(reader.Remaining(), 4u);
  EXPECT_EQ(reader.ReadDword(), 1u);
}

TEST(ArchiveReader, FloatsAreLittleEndianSinglePrecision) {
  CArchiveWriter writer;
  writer.WriteFloat(4.81f);
  writer.WriteDword(0x01020304);
  EXPECT_EQ(writer.Bytes()[4], 0x04);
  std::istringstream in(AsString(writer.Bytes()));
  CArchiveReader reader(in);
  EXPECT_EQ(reader.ReadFloat(), 4.81f);
  EXPECT_EQ(reader.ReadDword(), 0x01020304u);
}

}  // namespace
}  // namespace saver
