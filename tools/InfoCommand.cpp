#include "Commands.h"
#include "InputFile.h"
#include "PackageDescription.h"

namespace saver::tool {

// saverpkg info (show.scr | show.pkg | scene.json) [--json]
void RunInfo(const Arguments& arguments, std::ostream& out) {
  InputFile input = LoadInput(arguments.inputs[0]);
  const Json description = DescribePackage(*input.package, input.location, input.exit_button, input.name);
  out << (arguments.Has("--json") ? description.dump(2) + "\n" : FormatDescription(description));
}

}  // namespace saver::tool
