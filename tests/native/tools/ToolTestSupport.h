#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace saver::tool::testing {

using Json = nlohmann::ordered_json;
using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct ToolRun {
  int exit_code = 0;
  std::string out;
  std::string err;
};

// Runs saverpkg in-process with these words after the program name.
ToolRun RunSaverpkg(const std::vector<std::string>& words);

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadBytes(const std::filesystem::path& path);
void WriteJson(const std::filesystem::path& path, const Json& json);

// Small fixtures: a BMP picture made by the engine's own encoder, a tiny WAV file, and a padded
// engine image (a minimal i386 PE file, zero padded to the package offset).
Bytes MakeBmp(int width, int height);
Bytes MakeWav();
Bytes MakePaddedEngine();

// The package that `build` makes of a scene (fails the test when it does not build).
Bytes BuildPackage(const ScratchFolder& folder, const Json& scene);

// The package with its signature string replaced (the header rewritten, the rest kept).
Bytes WithSignature(const Bytes& package, const std::string& signature);

// `info --json` of a file, parsed.
Json InfoJson(const std::filesystem::path& file);

}  // namespace saver::tool::testing
