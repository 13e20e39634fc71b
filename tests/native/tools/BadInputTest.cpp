#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "ToolTestSupport.h"

namespace saver::tool::testing {
namespace {

// One bad input: the text written to the input file (none: no file), the command (with "@/" for
// the scratch folder), the exit code, the pieces the message must contain, and the input's name.
struct BadInputCase {
  const char* label;
  const char* scene;
  std::vector<std::string> words;
  int exit_code;
  std::vector<std::string> message;
  const char* file_name = "scene.json";
};

class BadInput : public ::testing::TestWithParam<BadInputCase> {};

std::string InFolder(const std::string& word, const ScratchFolder& folder) {
  return word.rfind("@/", 0) == 0 ? (folder / word.substr(2)).string() : word;
}

// One damaged picture of each format the readers take besides JPEG, each damaged past its header.
void WriteDamagedPictures(const ScratchFolder& folder) {
  using namespace saver::test;
  const CPixelBuffer picture = TestPicture(8, 6, 4);
  Bytes bmp = BmpFile(picture, 24);
  bmp.resize(bmp.size() - 1);
  WriteBytes(folder / "cut.bmp", bmp);
  Bytes pcx = PcxFile(picture, 8, 3);
  pcx.resize(pcx.size() / 2);
  WriteBytes(folder / "cut.pcx", pcx);
  Bytes tga = TgaFile(picture, 2, 24, 0, true);  // the footer keeps it known as TGA
  tga.erase(tga.begin() + 40, tga.begin() + 80);
  WriteBytes(folder / "cut.tga", tga);
  Bytes png = PngFile(picture, 2, 8, false);
  png[png.size() - 30] ^= 0x40;  // inside the last IDAT's data: zlib stops before the CRC is reached
  WriteBytes(folder / "flipped.png", png);
}

TEST_P(BadInput, FailsWithAClearMessageAndNoOutput) {
  const BadInputCase& bad = GetParam();
  ScratchFolder folder;
  WriteBytes(folder / "logo.bmp", MakeBmp(4, 4));
  WriteBytes(folder / "noise.bmp", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
  WriteBytes(folder / "engine.scr", MakePaddedEngine());
  const Bytes jpeg = saver::test::JpegFile(saver::test::TestPicture(16, 16), saver::test::JpegKind::Baseline);
  WriteBytes(folder / "huge.jpg", saver::test::WithJpegSize(jpeg, 65535, 8));
  Bytes wide_bmp = MakeBmp(4, 4);
  wide_bmp.at(19) = 0x9C, wide_bmp.at(18) = 0x40;  // the header claims 40000 pixels across
  WriteBytes(folder / "wide.bmp", wide_bmp);
  WriteBytes(folder / "cut.jpg", Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2)));
  WriteDamagedPictures(folder);
  if (bad.scene != nullptr) WriteBytes(folder / bad.file_name, Bytes(bad.scene, bad.scene + std::strlen(bad.scene)));
  std::vector<std::string> words;
  for (const std::string& word : bad.words) words.push_back(InFolder(word, folder));

  const ToolRun run = RunSaverpkg(words);
  EXPECT_EQ(run.exit_code, bad.exit_code) << run.err;
  for (const std::string& piece : bad.message) {
    EXPECT_NE(run.err.find(InFolder(piece, folder)), std::string::npos) << "missing \"" << piece << "\" in:\n" << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
  EXPECT_TRUE(run.out.empty()) << run.out;
}

const std::vector<std::string> kBuild = {"build", "@/scene.json", "-o", "@/out"};
// Nesting far deeper than any scene: the item is refused, the position scan gives up quietly.
const std::string kDeepScene = "{\"items\": " + std::string(20000, '[') + std::string(20000, ']') + "}";

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInput,
    ::testing::Values(
        BadInputCase{"missing_scene_file", nullptr, kBuild, 1, {"@/scene.json: cannot open"}},
        BadInputCase{"bad_json", R"({"items": [ {"kind": "delay", )", kBuild, 1,
                     {"@/scene.json: not valid JSON", "parse error"}},
        BadInputCase{"scene_not_an_object", "[1, 2]", kBuild, 1, {"@/scene.json: expected a scene object"}},
        BadInputCase{"missing_items", R"({"version": 4.5})", kBuild, 1, {"@/scene.json: missing \"items\""}},
        BadInputCase{"unknown_top_level_field", R"({"items": [], "colour": 1})", kBuild, 1,
                     {"@/scene.json:1:15: colour: unknown field", "exit_button"}},
        BadInputCase{"unknown_kind", R"({"items": [{"kind": "sparkle"}]})", kBuild, 1,
                     {"@/scene.json:1:13: items[0].kind: unknown kind \"sparkle\"", "picture", "link"}},
        BadInputCase{"missing_kind", R"({"items": [{"duration": 5}]})", kBuild, 1,
                     {"items[0]: missing \"kind\""}},
        BadInputCase{"effect_out_of_range",
                     R"({"items": [{"kind": "picture", "name": "p", "file": "logo.bmp"},
                                   {"kind": "show_image", "target": "p", "path": {"effect": 88}}]})",
                     kBuild, 1, {"items[1].path.effect: 88 is out of range (valid: 0 to 87)"}},
        BadInputCase{"unknown_effect_name_on_a_later_line",
                     "{\"items\": [\n  {\"kind\": \"picture\", \"name\": \"p\", \"file\": \"logo.bmp\"},\n"
                     "  {\"kind\": \"show_image\", \"target\": \"p\",\n   \"path\": {\"effect\": \"sparkles\"}}]}",
                     kBuild, 1,
                     {"@/scene.json:4:13: items[1].path.effect: unknown effect \"sparkles\"", "\"tiled\"",
                      "\"fade in from black\"", "saverpkg effects"}},
        BadInputCase{"position_counts_characters_not_bytes", "{\"items\": [{\"kind\": \"string\", \"name\": \"é\", \"text\": 5}]}",
                     kBuild, 1, {"@/scene.json:1:44: items[0].text: expected a string"}},
        BadInputCase{"deeply_nested_item", kDeepScene.c_str(), kBuild, 1,
                     {"@/scene.json:1:12: items[0]: expected an item object"}},
        BadInputCase{"check_of_a_scene_that_does_not_validate", R"({"items": [{"kind": "loop_end"}]})",
                     {"check", "@/scene.json"}, 1, {"@/scene.json: items[0] (loop_end \"\") does not validate"}},
        BadInputCase{"check_of_a_picture_without_file", R"({"items": [{"kind": "picture", "name": "e"}]})",
                     {"check", "@/scene.json"}, 1, {"You have to choose the image."}},
        BadInputCase{"check_of_a_bare_engine", nullptr, {"check", "@/engine.scr"}, 1,
                     {"@/engine.scr: a padded engine without a package"}},
        BadInputCase{"effects_takes_no_input", nullptr, {"effects", "@/scene.json"}, 2, {"expected 0 input files, got 1"}},
        BadInputCase{"integer_expected", R"({"items": [{"kind": "delay", "duration": "long"}]})", kBuild, 1,
                     {"items[0].duration: expected an integer", "\"long\""}},
        BadInputCase{"negative_unsigned", R"({"items": [{"kind": "delay", "duration": -5}]})", kBuild, 1,
                     {"items[0].duration: -5 is out of range (valid: 0 to 4294967295)"}},
        BadInputCase{"flag_expected", R"({"items": [{"kind": "delay", "random": 1}]})", kBuild, 1,
                     {"items[0].random: expected true or false"}},
        BadInputCase{"unknown_field", R"({"items": [{"kind": "delay", "colour": "#FFFFFF"}]})", kBuild, 1,
                     {"items[0]: unknown field \"colour\"", "duration"}},
        BadInputCase{"bad_colour", R"({"items": [{"kind": "fill", "colour": {"value": "#12345"}}]})", kBuild, 1,
                     {"items[0].colour.value: expected a colour \"#RRGGBB\""}},
        BadInputCase{"bad_choice", R"({"items": [{"kind": "link", "key": "escape"}]})", kBuild, 1,
                     {"items[0].key: expected \"none\"", "\"any\" or an integer"}},
        BadInputCase{"missing_target", R"({"items": [{"kind": "stop_media"}]})", kBuild, 1,
                     {"items[0]: missing \"target\"", "media item"}},
        BadInputCase{"target_of_the_wrong_kind",
                     R"({"items": [{"kind": "picture", "name": "p", "file": "logo.bmp"},
                                   {"kind": "play_media", "target": "p"}]})",
                     kBuild, 1, {"items[1].target: no media item is named \"p\""}},
        BadInputCase{"target_index_outside", R"({"items": [{"kind": "hide_image", "target": 5}]})", kBuild, 1,
                     {"items[0].target: 5 is out of range (valid: 0 to 0)"}},
        BadInputCase{"target_on_a_kind_without", R"({"items": [{"kind": "delay", "target": 0}]})", kBuild, 1,
                     {"items[0].target: a delay item takes no target"}},
        BadInputCase{"missing_picture_file", R"({"items": [{"kind": "picture", "file": "nothing.png"}]})", kBuild, 1,
                     {"items[0].file: ", "nothing.png: cannot open"}},
        BadInputCase{"picture_not_decodable", R"({"items": [{"kind": "picture", "name": "n", "file": "noise.bmp"}]})",
                     kBuild, 1, {"items[0] (picture \"n\") does not validate", "not supported"}},
        BadInputCase{"picture_too_large", R"({"items": [{"kind": "delay"}, {"kind": "picture", "name": "h", "file": "huge.jpg"}]})",
                     kBuild, 1,
                     {"items[1] (picture \"h\") does not validate: The picture is 65535 x 8 pixels, beyond the limit of "
                      "65500 pixels a side for a JPEG picture."}},
        BadInputCase{"bmp_too_large", R"({"items": [{"kind": "picture", "name": "w", "file": "wide.bmp"}]})",
                     {"check", "@/scene.json"}, 1,
                     {"items[0] (picture \"w\") does not validate: The picture is 40000 x 4 pixels, beyond the limit of "
                      "64 megapixels and 32767 pixels a side for a picture shown at its own size."}},
        BadInputCase{"picture_damaged", R"({"items": [{"kind": "picture", "name": "c", "file": "cut.jpg"}]})",
                     {"check", "@/scene.json"}, 1,
                     {"items[0] (picture \"c\") does not validate: JPEG decoder: Premature end of JPEG file"}},
        BadInputCase{"bmp_damaged", R"({"items": [{"kind": "picture", "name": "b", "file": "cut.bmp"}]})", kBuild, 1,
                     {"items[0] (picture \"b\") does not validate: BMP decoder: the pixel data is cut short"}},
        BadInputCase{"pcx_damaged", R"({"items": [{"kind": "delay"}, {"kind": "picture", "name": "p", "file": "cut.pcx"}]})",
                     {"check", "@/scene.json"}, 1,
                     {"items[1] (picture \"p\") does not validate: PCX decoder: the pixel data ends at line "}},
        BadInputCase{"tga_damaged", R"({"items": [{"kind": "picture", "name": "t", "file": "cut.tga"}]})",
                     {"make-scr", "--engine", "@/engine.scr", "@/scene.json", "-o", "@/out"}, 1,
                     {"items[0] (picture \"t\") does not validate: TGA decoder: the pixel data is too short for 8 x 6 "
                      "pixels"}},
        BadInputCase{"png_damaged", R"({"items": [{"kind": "picture", "name": "g", "file": "flipped.png"}]})",
                     {"check", "@/scene.json"}, 1,
                     {"items[0] (picture \"g\") does not validate: PNG decoder: IDAT: invalid distance too far back"}},
        BadInputCase{"picture_too_large_for_make_scr", R"({"items": [{"kind": "picture", "name": "h", "file": "huge.jpg"}]})",
                     {"make-scr", "--engine", "@/engine.scr", "@/scene.json", "-o", "@/out"}, 1,
                     {"items[0] (picture \"h\") does not validate: The picture is 65535 x 8 pixels"}},
        BadInputCase{"picture_without_file", R"({"items": [{"kind": "picture", "name": "e"}]})", kBuild, 1,
                     {"items[0] (picture \"e\") does not validate: You have to choose the image."}},
        BadInputCase{"loop_end_without_start", R"({"items": [{"kind": "loop_end"}]})", kBuild, 1,
                     {"items[0] (loop_end \"\") does not validate"}},
        BadInputCase{"character_outside_the_code_page", R"({"items": [{"kind": "string", "text": "a → b"}]})",
                     kBuild, 1, {"items[0].text: the character U+2192 cannot be stored"}},
        BadInputCase{"version_too_new", R"({"version": 4.82, "items": []})", kBuild, 1,
                     {"version: version 4.82 is out of range"}},
        BadInputCase{"field_the_layout_cannot_hold",
                     R"({"version": 4.0, "items": [{"kind": "picture", "file": "logo.bmp", "keep_aspect": true}]})",
                     kBuild, 1, {"items[0].keep_aspect: the package layout of version 4 under signature A cannot hold"}},
        BadInputCase{"info_of_a_missing_file", nullptr, {"info", "@/none.scr"}, 1, {"@/none.scr: cannot open"}},
        BadInputCase{"info_of_a_non_package", "hello", {"info", "@/junk.pkg"}, 1,
                     {"@/junk.pkg: not a package"}, "junk.pkg"},
        BadInputCase{"extract_of_a_short_executable", "MZ-not-long-enough", {"extract", "@/short.scr", "-o", "@/out"},
                     1, {"@/short.scr: an executable of 18 bytes carries no package"}, "short.scr"},
        BadInputCase{"info_of_a_bare_engine", nullptr, {"info", "@/engine.scr"}, 1,
                     {"@/engine.scr: a padded engine without a package"}},
        BadInputCase{"make_scr_without_engine", nullptr, {"make-scr", "@/scene.json", "-o", "@/out"}, 2,
                     {"missing option --engine", "usage: saverpkg make-scr"}},
        BadInputCase{"engine_missing", R"({"items": []})",
                     {"make-scr", "--engine", "@/nothing.scr", "@/scene.json", "-o", "@/out"}, 1,
                     {"@/nothing.scr: cannot open"}},
        BadInputCase{"unknown_command", nullptr, {"pack", "@/scene.json"}, 2, {"unknown command \"pack\"", "usage:"}},
        BadInputCase{"unknown_option", nullptr, {"info", "@/scene.json", "--verbose"}, 2, {"unknown option --verbose"}},
        BadInputCase{"two_inputs", nullptr, {"info", "@/a.scr", "@/b.scr"}, 2, {"expected 1 input file, got 2"}}),
    [](const ::testing::TestParamInfo<BadInputCase>& info) { return std::string(info.param.label); });

// Damaged packages and saver files: cut at every length, or with a byte changed, the tool either
// reads them or says why, naming the file; it never crashes.
Bytes SmallPackage(const ScratchFolder& folder) {
  WriteBytes(folder / "logo.bmp", MakeBmp(4, 4));
  const Json scene = {{"items",
                       {{{"kind", "picture"}, {"name", "p"}, {"file", "logo.bmp"}},
                        {{"kind", "show_image"}, {"target", "p"}},
                        {{"kind", "link"}, {"url", "http://example.net/"}}}}};
  return BuildPackage(folder, scene);
}

TEST(BadPackage, EveryTruncationFailsNamingTheFile) {
  ScratchFolder folder;
  const Bytes package = SmallPackage(folder);
  for (std::size_t length = 0; length < package.size(); ++length) {
    WriteBytes(folder / "cut.pkg", Bytes(package.begin(), package.begin() + static_cast<std::ptrdiff_t>(length)));
    const ToolRun run = RunSaverpkg({"info", (folder / "cut.pkg").string()});
    ASSERT_EQ(run.exit_code, 1) << "length " << length;
    ASSERT_EQ(run.err.rfind("saverpkg: " + (folder / "cut.pkg").string() + ": ", 0), 0u) << run.err;
  }
}

TEST(BadPackage, ChangedBytesNeverCrashTheReader) {
  ScratchFolder folder;
  const Bytes package = SmallPackage(folder);
  int refused = 0;
  for (std::size_t at = 0; at < package.size(); ++at) {
    Bytes changed = package;
    changed[at] ^= 0xA5;
    WriteBytes(folder / "changed.pkg", changed);
    const ToolRun run = RunSaverpkg({"info", (folder / "changed.pkg").string(), "--json"});
    if (run.exit_code == 0) {
      EXPECT_TRUE(Json::accept(run.out)) << "byte " << at;
    } else {
      ++refused;
      EXPECT_NE(run.err.find("changed.pkg: "), std::string::npos) << run.err;
    }
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace saver::tool::testing
