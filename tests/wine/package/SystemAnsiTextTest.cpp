#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "package/win/SystemAnsiText.h"

namespace saver {
namespace {

TEST(SystemAnsiText, AgreesWithTheSystemsCodePage) {
  const std::u16string text = u"Gr\u00FC\u00DFe \u20AC";
  const std::string converted = win::SystemAnsiFromUtf16(text);
  char expected[32] = {};
  const int length = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text.c_str()),
                                         static_cast<int>(text.size()), expected, sizeof expected, nullptr, nullptr);
  ASSERT_GT(length, 0);
  EXPECT_EQ(converted, std::string(expected, static_cast<std::size_t>(length)));
  if (GetACP() == 1252) {
    EXPECT_EQ(converted, "Gr\xFC\xDF" "e \x80");
  }
}

TEST(SystemAnsiText, ArchiveReaderConvertsUtf16StringsWithIt) {
  CArchiveWriter writer;
  writer.WriteUtf16String(u"caf\u00E9");
  std::istringstream in(std::string(writer.Bytes().begin(), writer.Bytes().end()));
  CArchiveReader reader(in, &win::SystemAnsiFromUtf16);
  EXPECT_EQ(reader.ReadString(), win::SystemAnsiFromUtf16(u"caf\u00E9"));
  EXPECT_EQ(reader.Remaining(), 0u);
}

}  // namespace
}  // namespace saver
