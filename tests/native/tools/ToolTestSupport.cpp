#include "ToolTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "Tool.h"
#include "imaging/PictureWriters.h"
#include "package/ArchiveWriter.h"
#include "package/EngineLayout.h"

namespace saver::tool::testing {
namespace {

void PutU16(Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  PutU16(bytes, at, static_cast<std::uint16_t>(value));
  PutU16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "saverpkg-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ToolRun RunSaverpkg(const std::vector<std::string>& words) {
  std::ostringstream out, err;
  ToolRun run;
  run.exit_code = RunTool(words, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void WriteJson(const std::filesystem::path& path, const Json& json) {
  std::ofstream(path) << json.dump(2);
}

Bytes MakeBmp(int width, int height) {
  CPixelBuffer pixels(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.SetPixel(x, y, static_cast<std::uint32_t>(x * 40 + y * 0x2000));
  }
  return EncodeBmp(pixels);
}

Bytes MakeWav() {
  Bytes wav(44 + 8, 0);
  std::copy_n("RIFF", 4, wav.begin());
  PutU32(wav, 4, static_cast<std::uint32_t>(wav.size() - 8));
  std::copy_n("WAVEfmt ", 8, wav.begin() + 8);
  PutU32(wav, 16, 16);
  PutU16(wav, 20, 1);      // PCM
  PutU16(wav, 22, 1);      // mono
  PutU32(wav, 24, 8000);   // samples per second
  PutU32(wav, 28, 8000);   // bytes per second
  PutU16(wav, 32, 1);      // block align
  PutU16(wav, 34, 8);      // bits per sample
  std::copy_n("data", 4, wav.begin() + 36);
  PutU32(wav, 40, 8);
  return wav;
}

Bytes MakePaddedEngine() {
  Bytes engine(kPackageOffset, 0);
  engine[0] = 'M';
  engine[1] = 'Z';
  constexpr std::size_t kPe = 0x80;
  PutU32(engine, 0x3C, kPe);
  std::copy_n("PE\0\0", 4, engine.begin() + kPe);
  PutU16(engine, kPe + 4, 0x14C);      // i386
  PutU16(engine, kPe + 6, 1);          // one section
  PutU16(engine, kPe + 20, 0xE0);      // optional header size
  const std::size_t section = kPe + 24 + 0xE0;
  std::copy_n(".text", 5, engine.begin() + section);
  PutU32(engine, section + 16, 0x200);  // raw size
  PutU32(engine, section + 20, 0x400);  // raw pointer
  std::fill_n(engine.begin() + 0x400, 0x200, 0xC3);
  return engine;
}

Json EveryKindItems() {
  const Json path = {{"start", {{"x", 12}, {"y", -7}, {"x_mode", "centre"}, {"y_mode", "value"}}},
                     {"end", {{"x", 300}, {"y", 40}, {"x_mode", "value"}, {"y_mode", "random"}}},
                     {"step", {{"x", 5}, {"y", -2}}},
                     {"horizontal", false},
                     {"free_movement", true},
                     {"limit", {{"x", 500}, {"y", 9}}},
                     {"x_test", "less"},
                     {"y_test", "not_equal"},
                     {"both_tests", true},
                     {"step_delay", 90000},
                     {"typewriter", true},
                     {"typewriter_delay", 1950},
                     {"screen_copy_background", true},
                     {"save_background", true},
                     {"effect", 42},
                     {"speed", 700}};
  const Json colour = {{"value", "#12AB7F"}, {"raster", "or"}, {"random", true}, {"use_window_colour", false}};
  return Json::array({
      {{"kind", "picture"}, {"name", "logo"}, {"builder", 77}, {"file", "logo.bmp"}, {"source", "wallpaper"},
       {"width", 40}, {"height", 30}, {"fit_to_screen", true}, {"keep_aspect", true}},
      {{"kind", "text"}, {"name", "greeting"}, {"disabled", true}, {"text", "Gr\u00fc\u00dfe\nzweite Zeile\r\r\ndritte"},
       {"text_colour", "#FF0000"}, {"background_colour", "#0000FF"}, {"opaque", false}, {"align", "right"},
       {"font", {{"height", -24}, {"weight", 700}, {"italic", true}, {"charset", 2}, {"face", "Arial"}}}},
      {{"kind", "show_image"}, {"name", "show"}, {"target", "logo"}, {"path", path}, {"colour", colour}},
      {{"kind", "move_image"}, {"target", "greeting"}, {"path", path}},
      {{"kind", "hide_image"}, {"target", "logo"}, {"colour", colour}},
      {{"kind", "delay"}, {"duration", 1234}, {"random", true}},
      {{"kind", "fill"}, {"colour", colour}},
      {{"kind", "loop_start"}, {"name", "outer"}},
      {{"kind", "line"}, {"path", path}, {"colour", colour}, {"pen_style", 2}, {"pen_width", 3}},
      {{"kind", "loop_end"}, {"repeat", 4}, {"endless", true}},
      {{"kind", "media"}, {"name", "tune"}, {"file", "tune.wav"}, {"media", "midi"}},
      {{"kind", "play_media"}, {"target", "tune"}, {"repeat", 3}, {"forever", true}, {"wait", true}, {"loop", true},
       {"x", 10}, {"y", 20}, {"width", 320}, {"height", 200}, {"centre_x", true}, {"centre_y", true},
       {"full_screen", true}, {"time_limited", true}, {"time_limit", 4500}},
      {{"kind", "stop_media"}, {"target", "tune"}},
      {{"kind", "string"}, {"text", "a note"}},
      {{"kind", "link"}, {"clear", true}, {"key", "f12"}, {"url", "http://example.com/a?b=c"}},
  });
}

const FieldsByKind kNotCarriedUnderB481 = {
    {"play_media", {"width", "height", "centre_x", "centre_y", "full_screen", "time_limited", "time_limit"}}};
const FieldsByKind kNotCarriedUnderA41 = {{"picture", {"width", "height", "fit_to_screen", "keep_aspect"}},
                                          {"text", {"align"}},
                                          {"play_media", {"time_limited", "time_limit"}}};

Json EveryKindItemsWithout(const FieldsByKind& not_carried) {
  Json items = EveryKindItems();
  for (Json& item : items) {
    const auto dropped = not_carried.find(item["kind"].get<std::string>());
    if (dropped == not_carried.end()) continue;
    for (const std::string& field : dropped->second) item.erase(field);
  }
  return items;
}

Json SmallShowScene(const Json& header) {
  Json scene = header;
  scene["items"] = {
      {{"kind", "picture"}, {"name", "logo"}, {"file", "logo.bmp"}},
      {{"kind", "show_image"}, {"target", "logo"}, {"path", {{"start", {{"x_mode", "centre"}}}, {"effect", 17}}}},
      {{"kind", "delay"}, {"duration", 800}},
      {{"kind", "hide_image"}, {"target", "logo"}},
      {{"kind", "link"}, {"key", "space"}, {"url", "http://example.org/"}},
      {{"kind", "media"}, {"name", "tune"}, {"file", "tune.wav"}},
      {{"kind", "play_media"}, {"target", "tune"}, {"repeat", 2}, {"wait", true}},
  };
  return scene;
}

Bytes MakeOlderSaverFile(const Bytes& package, std::uint8_t exit_flag) {
  Bytes file(kLegacyPackageOffset + package.size(), 0x90);
  file[0] = 'M';
  file[1] = 'Z';
  std::copy(package.begin(), package.end(), file.begin() + kLegacyPackageOffset);
  for (std::uint8_t trailer_byte : {std::uint8_t{0x00}, std::uint8_t{0x17}, std::uint8_t{0x2A}, exit_flag}) {
    file.push_back(trailer_byte);
  }
  return file;
}

Bytes BuildPackage(const ScratchFolder& folder, const Json& scene) {
  WriteJson(folder / "fixture.json", scene);
  const ToolRun run = RunSaverpkg({"build", (folder / "fixture.json").string(), "-o", (folder / "fixture.pkg").string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return ReadBytes(folder / "fixture.pkg");
}

Bytes WithSignature(const Bytes& package, const std::string& signature) {
  const std::size_t old_length = package.at(4);  // short signatures have a one-byte length prefix
  CArchiveWriter writer;
  writer.WriteDword(static_cast<std::uint32_t>(package[0] | package[1] << 8 | package[2] << 16 | package[3] << 24));
  writer.WriteString(signature);
  writer.WriteBytes(Bytes(package.begin() + 5 + static_cast<std::ptrdiff_t>(old_length), package.end()));
  return writer.Bytes();
}

Json InfoJson(const std::filesystem::path& file) {
  const ToolRun run = RunSaverpkg({"info", file.string(), "--json"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  if (run.exit_code != 0) return Json::object();
  return Json::parse(run.out);
}

}  // namespace saver::tool::testing
