#include "ImageFields.h"

#include <cstring>

#include "FileBytes.h"
#include "FileSource.h"
#include "ToolError.h"

namespace saver::tool {
namespace {

const ChoiceTable kSources = {{"embedded", CImageItem::kSourceData},
                              {"desktop", CImageItem::kSourceDesktop},
                              {"wallpaper", CImageItem::kSourceWallpaper}};
const ChoiceTable kAlignments = {{"left", 0}, {"centre", 1}, {"right", 2}};

// Offsets in the 60-byte logical-font record: five 32-bit values, eight bytes, the face name.
constexpr std::size_t kFaceOffset = 28;
constexpr std::size_t kFaceCapacity = 32;  // characters, the terminating zero included

std::int32_t FontInt(const FontDescription& font, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | font[at + i];
  return static_cast<std::int32_t>(value);
}

Field<CImageItem> FontInteger(std::string name, std::size_t at) {
  return {std::move(name), [at](const CImageItem& i) { return Json(FontInt(i.font, at)); },
          [at](CImageItem& i, const Json& v, const CSceneSite& site) {
            const auto value = static_cast<std::uint32_t>(ReadInteger(v, site, INT32_MIN, INT32_MAX));
            for (int b = 0; b < 4; ++b) i.font[at + b] = static_cast<std::uint8_t>(value >> (8 * b));
          }};
}

Field<CImageItem> FontByte(std::string name, std::size_t at) {
  return {std::move(name), [at](const CImageItem& i) { return Json(i.font[at]); },
          [at](CImageItem& i, const Json& v, const CSceneSite& site) {
            i.font[at] = static_cast<std::uint8_t>(ReadInteger(v, site, 0, 255));
          }};
}

Field<CImageItem> FontFlag(std::string name, std::size_t at) {
  return {std::move(name), [at](const CImageItem& i) { return Json(i.font[at] != 0); },
          [at](CImageItem& i, const Json& v, const CSceneSite& site) { i.font[at] = ReadFlag(v, site); }};
}

Field<CImageItem> FontFace() {
  return {"face",
          [](const CImageItem& i) {
            const char* face = reinterpret_cast<const char*>(&i.font[kFaceOffset]);
            return Json(Utf8FromAnsi(std::string(face, strnlen(face, kFaceCapacity))));
          },
          [](CImageItem& i, const Json& v, const CSceneSite& site) {
            const std::string face = ReadAnsiText(v, site);
            if (face.size() >= kFaceCapacity) {
              site.Fail("a face name has at most " + std::to_string(kFaceCapacity - 1) + " characters");
            }
            std::memset(&i.font[kFaceOffset], 0, kFaceCapacity);
            std::memcpy(&i.font[kFaceOffset], face.data(), face.size());
          }};
}

FieldTable<CImageItem> FontTable() {
  return {FontInteger("height", 0),      FontInteger("width", 4),      FontInteger("escapement", 8),
          FontInteger("orientation", 12), FontInteger("weight", 16),    FontFlag("italic", 20),
          FontFlag("underline", 21),      FontFlag("strike_out", 22),   FontByte("charset", 23),
          FontByte("output_precision", 24), FontByte("clip_precision", 25), FontByte("quality", 26),
          FontByte("pitch_and_family", 27), FontFace()};
}

// Texts keep Windows line breaks; the scene file may use plain "\n".
std::string ToCrLf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

// The inverse of ToCrLf on what it writes: a CR before LF goes, unless a CR stands before it
// too, as ToCrLf would not put that one back ("a\r\r\nb" stays as it is).
std::string FromCrLf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool line_break = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    if (line_break && (i == 0 || text[i - 1] != '\r')) continue;
    out += text[i];
  }
  return out;
}

}  // namespace

CStoredBytes ReadReferencedFile(const Json& value, const CSceneSite& at, std::string& display_name) {
  const std::filesystem::path relative = ReadText(value, at);
  if (relative.empty()) at.Fail("expected a file name, got \"\"");
  try {
    std::shared_ptr<const CFileSource> file = CFileSource::Open(at.Folder() / relative);
    if (file->Size() == 0) at.Fail(relative.string() + " is empty");
    if (file->Size() > UINT32_MAX) at.Fail(relative.string() + " is larger than a package can hold (4 GB)");
    display_name = AnsiFromUtf8(relative.filename().string(), at);
    const auto size = static_cast<std::uint32_t>(file->Size());
    return CStoredBytes(std::move(file), 0, size, false);
  } catch (const CToolError& error) {
    at.Fail(error.what());
  }
}

const FieldTable<CImageItem>& PictureFields() {
  using I = CImageItem;
  static const FieldTable<I> table = {
      {"file", [](const I& i) { return Json(Utf8FromAnsi(i.file_name)); },
       [](I& i, const Json& v, const CSceneSite& at) { i.data = ReadReferencedFile(v, at, i.file_name); }},
      {"data_size", [](const I& i) { return Json(i.data.size()); }, nullptr},
      Enumerated<I>("source", &I::source_mode, kSources),
      Integer<I>("width", &I::explicit_width, 0, INT32_MAX),
      Integer<I>("height", &I::explicit_height, 0, INT32_MAX),
      Flag<I>("fit_to_screen", &I::fit_to_screen),
      Flag<I>("keep_aspect", &I::keep_aspect),
  };
  return table;
}

const FieldTable<CImageItem>& TextFields() {
  using I = CImageItem;
  static const FieldTable<I> table = {
      {"text", [](const I& i) { return Json(Utf8FromAnsi(FromCrLf(i.text))); },
       [](I& i, const Json& v, const CSceneSite& at) { i.text = ToCrLf(ReadAnsiText(v, at)); }},
      Colour<I>("text_colour", &I::text_colour),
      Colour<I>("background_colour", &I::background_colour),
      Flag<I>("opaque", &I::opaque),
      Enumerated<I>("align", &I::text_format, kAlignments),
      Group<I>("font", FontTable()),
  };
  return table;
}

}  // namespace saver::tool
