#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace saver::tool {

// Where a value begins in a JSON text, 1-based; the column counts characters, not bytes.
struct TextPosition {
  std::size_t line = 1;
  std::size_t column = 1;
};

// The position of every member and element of a JSON text, keyed by its place written as scene
// messages write it ("items[2].path.effect"); a member's position is that of its key. The text
// is one that a JSON parser has accepted already; anything the scan does not understand ends it,
// and nesting deeper than a scene ever needs is left unmapped.
using JsonPositions = std::map<std::string, TextPosition>;
JsonPositions MapJsonPositions(std::string_view text);

}  // namespace saver::tool
