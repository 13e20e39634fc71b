#include "SceneSite.h"

#include "ToolError.h"

namespace saver::tool {

void SceneSite::Fail(const std::string& what) const { throw ToolError(Describe(what)); }

}  // namespace saver::tool
