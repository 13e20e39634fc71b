#pragma once
#include <ostream>

#include "CommandLine.h"

namespace saver::tool {

// The commands of saverpkg, one file each. Each reports what it did on `out` and throws a
// CToolError on failure.
void RunBuild(const Arguments& arguments, std::ostream& out);
void RunMakeScr(const Arguments& arguments, std::ostream& out);
void RunInfo(const Arguments& arguments, std::ostream& out);
void RunExtract(const Arguments& arguments, std::ostream& out);
void RunCheck(const Arguments& arguments, std::ostream& out);
void RunEffects(const Arguments& arguments, std::ostream& out);
void RunRender(const Arguments& arguments, std::ostream& out);
void RunSlideshow(const Arguments& arguments, std::ostream& out);

}  // namespace saver::tool
