#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>

#include "package/ArchiveWriter.h"
#include "package/ByteSource.h"

namespace saver::tool {

// A file read where and when its bytes are needed, never held whole: items built from a scene
// refer to their picture and media files through it, and items read from a package to their range
// of the package file. Each read opens the file anew, so reads from several threads do not meet.
class CFileSource final : public CByteSource {
 public:
  // Fails with a CToolError naming the file when it cannot be opened.
  static std::shared_ptr<const CFileSource> Open(const std::filesystem::path& path);

  std::uint64_t Size() const override { return size_; }
  void Read(std::uint64_t offset, std::span<std::uint8_t> out) const override;
  const std::filesystem::path& Path() const { return path_; }

  CFileSource(std::filesystem::path path, std::uint64_t size) : path_(std::move(path)), size_(size) {}

 private:
  std::filesystem::path path_;
  std::uint64_t size_;
};

// A new file written beside `path` under the name `path`.partial and renamed to `path` by Commit,
// so that a failed or interrupted run leaves the earlier file or none, never a part of the new one;
// removed when it goes uncommitted.
class CPartialFile final : public CByteSink {
 public:
  explicit CPartialFile(std::filesystem::path path);
  ~CPartialFile() override;
  CPartialFile(const CPartialFile&) = delete;
  CPartialFile& operator=(const CPartialFile&) = delete;

  void Write(std::span<const std::uint8_t> bytes) override;
  // Writes what was given so far to the disk (the file can then be read back); failures as CToolError.
  void Flush();
  const std::filesystem::path& Path() const { return partial_; }
  // The name the file takes when it is committed.
  const std::filesystem::path& Target() const { return path_; }
  void Commit();

 private:
  std::filesystem::path path_;
  std::filesystem::path partial_;
  std::ofstream out_;
  bool committed_ = false;
};

// Copies `size` bytes from `offset` of `source` into `sink`, a piece at a time.
void CopyBytes(const CByteSource& source, std::uint64_t offset, std::uint64_t size, CByteSink& sink);

}  // namespace saver::tool
