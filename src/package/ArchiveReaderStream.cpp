// The stream side of CArchiveReader, in a file of its own: only programs that read packages from
// streams (the tools, the tests) link it, and with it the iostreams.
#include <istream>

#include "package/ArchiveError.h"
#include "package/ArchiveReader.h"

namespace saver {

CArchiveReader::CArchiveReader(std::istream& in, Utf16ToAnsi to_ansi)
    : in_(&in), read_(&ReadFromStream), to_ansi_(to_ansi) {
  const std::istream::pos_type start = in_->tellg();
  in_->seekg(0, std::ios::end);
  const std::istream::pos_type end = in_->tellg();
  in_->seekg(start);
  if (start >= 0 && end >= start) end_ = static_cast<std::uint64_t>(end - start);
}

CArchiveReader::CArchiveReader(std::istream& in, std::shared_ptr<const CByteSource> package, std::uint64_t offset,
                               Utf16ToAnsi to_ansi)
    : CArchiveReader(in, to_ansi) {
  package_ = std::move(package);
  package_offset_ = offset;
}

void CArchiveReader::ReadFromStream(CArchiveReader& self, void* out, std::uint64_t count) {
  if (out == nullptr) {
    self.in_->seekg(static_cast<std::streamoff>(count), std::ios::cur);
    if (!*self.in_) throw CArchiveError::EndOfFile();
    return;
  }
  self.in_->read(static_cast<char*>(out), static_cast<std::streamsize>(count));
  if (static_cast<std::uint64_t>(self.in_->gcount()) != count) throw CArchiveError::EndOfFile();
}

}  // namespace saver
