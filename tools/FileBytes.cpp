#include "FileBytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "ToolError.h"

namespace saver::tool {
namespace {

std::string Reason() { return std::strerror(errno); }

}  // namespace

Bytes ReadFileBytes(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw CToolError(path.string() + ": is a folder, not a file");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CToolError(path.string() + ": cannot open (" + Reason() + ")");
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw CToolError(path.string() + ": read error");
  return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw CToolError(path.string() + ": cannot create (" + Reason() + ")");
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw CToolError(path.string() + ": write error");
}

}  // namespace saver::tool
