#include "Tool.h"

#include <functional>

#include "Commands.h"
#include "ToolError.h"

namespace saver::tool {
namespace {

struct Command {
  const char* name;
  const char* usage;
  std::vector<std::string> value_options;
  std::vector<std::string> required;
  std::vector<std::string> switches;
  std::function<void(const Arguments&, std::ostream&)> run;
  std::size_t input_count = 1;
  std::vector<std::string> number_switches = {};
};

const std::vector<Command>& CommandTable() {
  static const std::vector<Command> commands = {
      {"build", "build SCENE.json -o SHOW.pkg [--progress]", {"--output"}, {"--output"}, {"--progress"}, RunBuild},
      {"make-scr",
       "make-scr --engine SAVER.scr (SCENE.json | SHOW.pkg | OLD.scr) -o SHOW.scr [--exit-button | --no-exit-button]"
       " [--progress]",
       {"--engine", "--output"}, {"--engine", "--output"}, {"--exit-button", "--no-exit-button", "--progress"},
       RunMakeScr},
      {"info", "info (SHOW.scr | SHOW.pkg | SCENE.json) [--json]", {}, {}, {"--json"}, RunInfo},
      {"extract", "extract SHOW.scr -o SHOW.pkg [--scene SCENE.json] [--files FOLDER] [--progress]",
       {"--output", "--scene", "--files"}, {"--output"}, {"--progress"}, RunExtract},
      {"check", "check (SHOW.scr | SHOW.pkg | SCENE.json)", {}, {}, {}, RunCheck},
      {"effects", "effects", {}, {}, {}, RunEffects, 0},
      {"render",
       "render (SCENE.json | SHOW.pkg | SHOW.scr) -o FOLDER [--size WxH] [--seconds N] [--fps N] [--times N] "
       "[--gif | --mp4]",
       {"--output", "--size", "--seconds", "--fps", "--times"}, {"--output"}, {"--gif", "--mp4"}, RunRender},
      {"slideshow",
       "slideshow PHOTO_OR_FOLDER... -o SHOW.scr [--engine SAVER.scr] [--order name|date] [--shuffle [SEED]]"
       " [--effect NAME|NUMBER|random] [--seconds N] [--title TEXT] [--music FILE] [--max-size WxH] [--quality N]"
       " [--scene SCENE.json] [--progress]",
       {"--output", "--engine", "--order", "--effect", "--seconds", "--title", "--music", "--max-size", "--quality",
        "--scene"},
       {"--output"}, {"--shuffle", "--progress"}, RunSlideshow, kOneOrMoreInputs, {"--shuffle"}},
  };
  return commands;
}

std::string Usage() {
  std::string text = "usage:\n";
  for (const Command& command : CommandTable()) text += std::string("  saverpkg ") + command.usage + "\n";
  return text;
}

const Command* FindCommand(const std::string& name) {
  for (const Command& command : CommandTable()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

}  // namespace

int RunTool(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
  if (words.size() == 1 && (words[0] == "--help" || words[0] == "help")) {
    out << Usage() << "Scene descriptions: docs/scene-format.md\n";
    return 0;
  }
  const Command* command = words.empty() ? nullptr : FindCommand(words[0]);
  if (command == nullptr) {
    err << "saverpkg: " << (words.empty() ? "no command given" : "unknown command \"" + words[0] + "\"") << "\n"
        << Usage();
    return 2;
  }
  if (words.size() == 2 && (words[1] == "--help" || words[1] == "-h")) {
    out << "usage: saverpkg " << command->usage << "\n";
    return 0;
  }
  Arguments arguments;
  try {
    arguments = ParseArguments({words.begin() + 1, words.end()}, command->value_options, command->switches,
                               command->input_count, command->number_switches);
    for (const std::string& option : command->required) arguments.Value(option);
  } catch (const CToolError& error) {
    err << "saverpkg " << command->name << ": " << error.what() << "\nusage: saverpkg " << command->usage << "\n";
    return 2;
  }
  try {
    command->run(arguments, out);
    return 0;
  } catch (const CToolError& error) {
    err << "saverpkg: " << error.what() << "\n";
  } catch (const std::bad_alloc&) {
    err << "saverpkg: out of memory\n";
  } catch (const std::exception& error) {
    err << "saverpkg: " << (arguments.inputs.empty() ? std::string(command->name) : arguments.inputs[0])
        << ": internal error: " << error.what() << "\n";
  }
  return 1;
}

}  // namespace saver::tool
