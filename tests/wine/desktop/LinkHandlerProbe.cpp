// Test stand-in for a web browser: "link_handler_probe <output file> <link>" writes the link to
// the output file, so a test can see what the shell handed over.
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::FILE* output = std::fopen(argv[1], "wb");
  if (!output) return 1;
  std::fputs(argv[2], output);
  return std::fclose(output) == 0 ? 0 : 1;
}
