#include "Commands.h"
#include "EmbeddedFiles.h"
#include "InputFile.h"

namespace saver::tool {

// saverpkg extract show.scr -o show.pkg [--files FOLDER]
// The package of a saver file, of this engine or of the older one (whose package is relabelled
// with this engine's signature), ready for make-scr; with --files, also every embedded picture and
// media file, for inspection.
void RunExtract(const Arguments& arguments, std::ostream& out) {
  const InputFile input = LoadInput(arguments.inputs[0]);
  const std::string& output = arguments.Value("--output");
  WriteFileBytes(output, input.package->bytes);
  if (!input.package->reading_note.empty()) out << input.name << ": " << input.package->reading_note << "\n";
  out << output << ": package of " << input.package->registry.Items().Size() << " items, "
      << input.package->bytes.size() << " bytes, from the " << ContainerName(input.location.container) << "\n";
  if (arguments.values.count("--files") == 0) return;
  for (const auto& file : WriteEmbeddedFiles(input.package->registry.Items(), arguments.Value("--files"))) {
    out << file.string() << "\n";
  }
}

}  // namespace saver::tool
