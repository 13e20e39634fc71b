#include "Commands.h"
#include "EngineImage.h"
#include "InputFile.h"
#include "Progress.h"
#include "ToolError.h"

namespace saver::tool {

// saverpkg make-scr --engine saver.scr (scene.json | show.pkg | old.scr) -o show.scr
//                   [--exit-button | --no-exit-button] [--progress]
// Without either switch the flag is the input's own: the scene's "exit_button", or the last byte
// of an input saver file.
void RunMakeScr(const Arguments& arguments, std::ostream& out) {
  if (arguments.Has("--exit-button") && arguments.Has("--no-exit-button")) {
    throw CToolError("--exit-button and --no-exit-button exclude each other");
  }
  const std::string& engine_name = arguments.Value("--engine");
  const Bytes engine = ReadFileBytes(engine_name);
  CheckPaddedEngine(engine, engine_name);
  CProgress progress = CProgress::ForCommand(arguments);
  const InputFile input = LoadInput(arguments.inputs[0], progress);
  const bool exit_button =
      arguments.Has("--exit-button") || (input.exit_button && !arguments.Has("--no-exit-button"));
  const std::string& output = arguments.Value("--output");
  progress.Step("writing " + output, engine.size() + input.package->bytes.size + 1);
  CPartialFile saver_file(output);
  WriteSaverFile(engine, input.package->bytes, exit_button, saver_file);
  saver_file.Commit();
  progress.Finish();
  if (!input.package->reading_note.empty()) out << input.name << ": " << input.package->reading_note << "\n";
  out << output << ": saver file with a package of " << input.package->registry.Items().Size() << " items ("
      << input.package->bytes.size << " bytes), exit button " << (exit_button ? "on" : "off") << "\n";
}

}  // namespace saver::tool
