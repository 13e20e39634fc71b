#pragma once
// Reads the MP3 tracks that the build made with ffmpeg (see MP3Fixtures.cmake).
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace saver::test {

inline std::vector<std::uint8_t> ReadMP3Fixture(const std::string& name) {
  std::ifstream in(std::string(SAVER_MP3_FIXTURES) + "/" + name + ".mp3", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace saver::test
