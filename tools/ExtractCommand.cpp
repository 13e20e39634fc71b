#include "AnsiText.h"
#include "Commands.h"
#include "EmbeddedFiles.h"
#include "InputFile.h"
#include "Progress.h"
#include "SceneWriter.h"

namespace saver::tool {
namespace {

// Where the embedded files go: --files, else beside the scene in "SCENE-files".
std::filesystem::path FilesFolder(const Arguments& arguments) {
  if (arguments.values.count("--files") != 0) return arguments.Value("--files");
  const std::filesystem::path scene = arguments.Value("--scene");
  return scene.parent_path() / (scene.stem().string() + "-files");
}

void ReportFiles(const std::vector<EmbeddedFile>& files, std::ostream& out) {
  for (const EmbeddedFile& file : files) {
    out << file.path.string() << "\n";
    if (file.renamed) {
      out << "  items[" << file.item_index << "]: the recorded name \"" << Utf8FromAnsi(file.recorded_name)
          << "\" cannot name a file; a package built from the scene records \"" << file.path.filename().string()
          << "\"\n";
    }
  }
}

}  // namespace

// saverpkg extract show.scr -o show.pkg [--scene SCENE.json] [--files FOLDER] [--progress]
// The package of a saver file, of this engine or of the older one (whose package is relabelled
// with this engine's signature), ready for make-scr. With --files, also every embedded picture and
// media file; with --scene, also a scene description of the show that refers to those files, from
// which build and make-scr make the package again.
void RunExtract(const Arguments& arguments, std::ostream& out) {
  CProgress progress = CProgress::ForCommand(arguments);
  const InputFile input = LoadInput(arguments.inputs[0], progress);
  const std::string& output = arguments.Value("--output");
  progress.Step("writing " + output, input.package->bytes.size);
  CPartialFile package_file(output);
  input.package->bytes.CopyTo(package_file);
  package_file.Commit();
  const bool wants_scene = arguments.values.count("--scene") != 0;
  std::vector<EmbeddedFile> files;
  if (wants_scene || arguments.values.count("--files") != 0) {
    files = WriteEmbeddedFiles(input.package->registry.Items(), FilesFolder(arguments), progress);
  }
  if (wants_scene) WriteEditableScene(arguments.Value("--scene"), *input.package, input.exit_button, files);
  progress.Finish();

  if (!input.package->reading_note.empty()) out << input.name << ": " << input.package->reading_note << "\n";
  out << output << ": package of " << input.package->registry.Items().Size() << " items, "
      << input.package->bytes.size << " bytes, from the " << ContainerName(input.location.container) << "\n";
  ReportFiles(files, out);
  if (wants_scene) out << arguments.Value("--scene") << ": scene description of the show, for build and make-scr\n";
}

}  // namespace saver::tool
