#include "CommandLine.h"

#include <algorithm>

#include "ToolError.h"

namespace saver::tool {
namespace {

bool Contains(const std::vector<std::string>& list, const std::string& word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

bool IsWholeNumber(const std::string& word) {
  return !word.empty() && word.size() <= 10 &&
         std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

const std::string& Arguments::Value(const std::string& name) const {
  const auto found = values.find(name);
  if (found == values.end()) throw CToolError("missing option " + name);
  return found->second;
}

Arguments ParseArguments(const std::vector<std::string>& words, const std::vector<std::string>& value_options,
                         const std::vector<std::string>& switches, std::size_t input_count,
                         const std::vector<std::string>& number_switches) {
  Arguments arguments;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string word = words[i] == "-o" ? "--output" : words[i];
    if (word.size() < 2 || word[0] != '-') {
      arguments.inputs.push_back(word);
    } else if (Contains(switches, word)) {
      arguments.switches.insert(word);
      if (Contains(number_switches, word) && i + 1 < words.size() && IsWholeNumber(words[i + 1])) {
        arguments.values[word] = words[++i];
      }
    } else if (Contains(value_options, word)) {
      if (i + 1 == words.size()) throw CToolError("option " + word + " needs a value");
      arguments.values[word] = words[++i];
    } else {
      throw CToolError("unknown option " + words[i]);
    }
  }
  if (input_count == kOneOrMoreInputs) {
    if (arguments.inputs.empty()) throw CToolError("expected at least one input");
  } else if (arguments.inputs.size() != input_count) {
    throw CToolError("expected " + std::to_string(input_count) + " input file" + (input_count == 1 ? "" : "s") +
                     ", got " + std::to_string(arguments.inputs.size()));
  }
  return arguments;
}

}  // namespace saver::tool
