// Writes the package fuzzer's seed corpus: every item kind under signature A, the same items in
// each legacy layout under signature B, and an empty package.
#include <cstdio>
#include <fstream>
#include <string>

#include "EveryKindPackage.h"
#include "support/PackageTestSupport.h"

namespace {

bool WriteSeed(const std::string& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(folder + "/" + name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace saver;
  if (argc != 2) {
    std::fprintf(stderr, "usage: package_fuzz_seeds <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  CItemList items;
  testing::BuildEveryKind(items);
  bool written = WriteSeed(folder, "every_kind_a", testing::WritePackageBytes(testing::HeaderA(), items));
  for (float legacy : {1.0f, 1.05f, 1.5f, 2.05f, 2.5f, 3.1f, 4.5f}) {
    written &= WriteSeed(folder, "every_kind_b_" + std::to_string(legacy),
                         testing::WritePackageBytes(testing::HeaderB(legacy), items));
  }
  written &= WriteSeed(folder, "empty", testing::WritePackageBytes(testing::HeaderA(), CItemList()));
  return written ? 0 : 1;
}
