#include "Commands.h"
#include "FileBytes.h"
#include "Progress.h"
#include "SceneBuilder.h"

namespace saver::tool {

// saverpkg build scene.json -o show.pkg [--progress]
void RunBuild(const Arguments& arguments, std::ostream& out) {
  Progress progress = Progress::ForCommand(arguments);
  const BuiltScene scene = BuildScene(arguments.inputs[0], progress);
  const std::string& output = arguments.Value("--output");
  progress.Step("writing " + output, scene.package->bytes.size());
  WriteFileBytes(output, scene.package->bytes);
  progress.Finish();
  out << output << ": package of " << scene.package->registry.Items().Size() << " items, "
      << scene.package->bytes.size() << " bytes\n";
}

}  // namespace saver::tool
