#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
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

// A show with every kind of item, each field away from its default where the kind has one; its
// picture is "logo.bmp" and its media file "tune.wav" (MakeBmp, MakeWav) beside the scene.
Json EveryKindItems();

// Fields a package layout does not carry, by kind.
using FieldsByKind = std::map<std::string, std::vector<std::string>>;
// Under signature B a play action carries only its flags and position.
extern const FieldsByKind kNotCarriedUnderB481;
// Before 4.11 no explicit picture size or play time limit, before 4.21 no aspect or alignment.
extern const FieldsByKind kNotCarriedUnderA41;
// EveryKindItems without the fields a layout does not carry.
Json EveryKindItemsWithout(const FieldsByKind& not_carried);

// A short show under `header` (signature, version) with a picture "logo.bmp", a media file
// "tune.wav", actions on both, a delay and a link: items every layout carries.
Json SmallShowScene(const Json& header);

// A saver file of the older engine: kLegacyPackageOffset bytes of engine (an MZ stub and filler),
// the package, then a trailer ending in the exit-button flag.
Bytes MakeOlderSaverFile(const Bytes& package, std::uint8_t exit_flag);

// The package that `build` makes of a scene (fails the test when it does not build).
Bytes BuildPackage(const ScratchFolder& folder, const Json& scene);

// The package with its signature string replaced (the header rewritten, the rest kept).
Bytes WithSignature(const Bytes& package, const std::string& signature);

// `info --json` of a file, parsed.
Json InfoJson(const std::filesystem::path& file);

}  // namespace saver::tool::testing
