#include "Commands.h"
#include "FileBytes.h"
#include "SceneBuilder.h"

namespace saver::tool {

// saverpkg build scene.json -o show.pkg
void RunBuild(const Arguments& arguments, std::ostream& out) {
  const BuiltScene scene = BuildScene(arguments.inputs[0]);
  const std::string& output = arguments.Value("--output");
  WriteFileBytes(output, scene.package->bytes);
  out << output << ": package of " << scene.package->registry.Items().Size() << " items, "
      << scene.package->bytes.size() << " bytes\n";
}

}  // namespace saver::tool
