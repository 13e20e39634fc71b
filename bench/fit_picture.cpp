// Decodes one picture file and fits it to a size, as the engine does for a fitted image item, and
// nothing else: bench_imaging times it as a whole process beside other programs that do the
// same job. Usage: fit_picture FILE WIDTH HEIGHT. Exit code 0 when the picture was fitted.
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "imaging/ImageRGB.h"

namespace {

struct PrintedMessages : saver::CMessageSink {
  void Show(std::string_view text) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: fit_picture FILE WIDTH HEIGHT\n");
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "rb");
  if (!file) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 2;
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[1 << 16];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof(chunk), file)) > 0;) bytes.insert(bytes.end(), chunk, chunk + got);
  std::fclose(file);
  PrintedMessages messages;
  saver::CImageRGB image;
  const auto result = image.LoadImageResized(bytes, std::atoi(argv[2]), std::atoi(argv[3]), messages);
  return result == saver::CImageRGB::LoadResult::Loaded ? 0 : 1;
}
