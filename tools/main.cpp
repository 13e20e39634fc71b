#include <iostream>

#include "Tool.h"

int main(int argc, char** argv) {
  return saver::tool::RunTool({argv + 1, argv + argc}, std::cout, std::cerr);
}
