#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "FieldTable.h"

namespace saver::tool {

// A path's `effect`: a number from 0 to 87 or its name. 0 to 3 are the drawing modes
// "own_size", "tiled", "stretched" and "random_transition"; 4 to 87 are the transitions under
// their catalogue names ("slide in from the top", "colour morph"...).
std::int64_t ReadEffect(const Json& value, const CSceneSite& at);
// The effect of that name or number ("12", "colour morph"), or nothing.
std::optional<std::int64_t> FindEffect(const std::string& name_or_number);

// Every effect, one "number  name" line each, for `saverpkg effects`.
std::string EffectList();

}  // namespace saver::tool
