#include "Commands.h"
#include "EffectNames.h"
#include "InputFile.h"

namespace saver::tool {

// saverpkg check (SHOW.scr | SHOW.pkg | SCENE.json)
// Reads and validates the input as the engine does when a show starts; every failure is a
// CToolError carrying the engine's own message, so nothing is printed here unless it passed.
void RunCheck(const Arguments& arguments, std::ostream& out) {
  const InputFile input = LoadInput(arguments.inputs[0]);
  const LoadedPackage& package = *input.package;
  out << input.name << ": ok: " << ContainerName(input.location.container) << ", "
      << package.registry.Items().Size() << " items, signature " << SignatureLabel(package.found_signature)
      << ", version " << VersionText(package.header.version)
      << (input.exit_button ? ", test run with an \"Exit\" button" : "") << "\n";
  if (!package.reading_note.empty()) out << "note: " << package.reading_note << "\n";
  if (input.location.container == PackageLocation::Container::LegacySaverFile) {
    out << "note: this is a saver file of the older engine; make-scr moves its package onto this engine\n";
  }
}

// saverpkg effects: the effect numbers and the names a scene's path.effect accepts.
void RunEffects(const Arguments&, std::ostream& out) { out << EffectList(); }

}  // namespace saver::tool
