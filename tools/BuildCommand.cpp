#include "Commands.h"
#include "FileSource.h"
#include "Progress.h"
#include "SceneBuilder.h"

namespace saver::tool {

// saverpkg build scene.json -o show.pkg [--progress]
void RunBuild(const Arguments& arguments, std::ostream& out) {
  CProgress progress = CProgress::ForCommand(arguments);
  const std::string& output = arguments.Value("--output");
  CPartialFile written(output);
  const BuiltScene scene = BuildScene(arguments.inputs[0], progress, written);
  written.Commit();
  progress.Finish();
  out << output << ": package of " << scene.package->registry.Items().Size() << " items, "
      << scene.package->bytes.size << " bytes\n";
}

}  // namespace saver::tool
