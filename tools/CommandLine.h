#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

namespace saver::tool {

// The words after the command name: inputs, options with a value (-o FILE, --engine FILE) and
// plain switches (--json, --exit-button).
struct Arguments {
  std::vector<std::string> inputs;
  std::map<std::string, std::string> values;
  std::set<std::string> switches;

  bool Has(const std::string& name) const { return switches.count(name) != 0; }
  // The option's value; a CToolError when it was not given.
  const std::string& Value(const std::string& name) const;
};

// An input count meaning: one or more.
inline constexpr std::size_t kOneOrMoreInputs = static_cast<std::size_t>(-1);

// Parses `words` against the options a command accepts (-o is the short form of --output).
// A switch in `number_switches` may be followed by a whole number, its value (--shuffle 7); it is
// a plain switch otherwise. Unknown options, missing values and a wrong number of inputs fail
// with a CToolError.
Arguments ParseArguments(const std::vector<std::string>& words, const std::vector<std::string>& value_options,
                         const std::vector<std::string>& switches, std::size_t input_count,
                         const std::vector<std::string>& number_switches = {});

}  // namespace saver::tool
