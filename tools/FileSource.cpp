#include "FileSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "ToolError.h"

namespace saver::tool {
namespace {

constexpr std::size_t kPieceSize = 1 << 20;

std::string Reason() { return std::strerror(errno); }

}  // namespace

std::shared_ptr<const CFileSource> CFileSource::Open(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) throw CToolError(path.string() + ": is a folder, not a file");
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw CToolError(path.string() + ": cannot open (" + Reason() + ")");
  const std::streamoff size = in.tellg();
  if (size < 0) throw CToolError(path.string() + ": read error");
  return std::make_shared<const CFileSource>(path, static_cast<std::uint64_t>(size));
}

void CFileSource::Read(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (out.empty()) return;
  std::ifstream in(path_, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (static_cast<std::size_t>(in.gcount()) != out.size()) {
    throw CToolError(path_.string() + ": read error (the file changed while it was in use?)");
  }
}

CPartialFile::CPartialFile(std::filesystem::path path) : path_(std::move(path)), partial_(path_) {
  partial_ += ".partial";
  out_.open(partial_, std::ios::binary | std::ios::trunc);
  if (!out_) throw CToolError(path_.string() + ": cannot create (" + Reason() + ")");
}

CPartialFile::~CPartialFile() {
  if (committed_) return;
  out_.close();
  std::error_code ignored;
  std::filesystem::remove(partial_, ignored);
}

void CPartialFile::Write(std::span<const std::uint8_t> bytes) {
  out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out_) throw CToolError(path_.string() + ": write error");
}

void CPartialFile::Flush() {
  out_.flush();
  if (!out_) throw CToolError(path_.string() + ": write error");
}

void CPartialFile::Commit() {
  out_.close();
  if (!out_) throw CToolError(path_.string() + ": write error");
  std::error_code error;
  std::filesystem::rename(partial_, path_, error);
  if (error) throw CToolError(path_.string() + ": cannot replace (" + error.message() + ")");
  committed_ = true;
}

void CopyBytes(const CByteSource& source, std::uint64_t offset, std::uint64_t size, CByteSink& sink) {
  std::vector<std::uint8_t> piece(static_cast<std::size_t>(std::min<std::uint64_t>(kPieceSize, size)));
  for (std::uint64_t done = 0; done < size; done += piece.size()) {
    piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), size - done)));
    source.Read(offset + done, piece);
    sink.Write(piece);
  }
}

}  // namespace saver::tool
