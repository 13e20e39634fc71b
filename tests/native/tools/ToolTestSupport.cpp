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
  PixelBuffer pixels(width, height);
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

Bytes BuildPackage(const ScratchFolder& folder, const Json& scene) {
  WriteJson(folder / "fixture.json", scene);
  const ToolRun run = RunSaverpkg({"build", (folder / "fixture.json").string(), "-o", (folder / "fixture.pkg").string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return ReadBytes(folder / "fixture.pkg");
}

Bytes WithSignature(const Bytes& package, const std::string& signature) {
  const std::size_t old_length = package.at(4);  // short signatures have a one-byte length prefix
  ArchiveWriter writer;
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
