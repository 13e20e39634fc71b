#include "media/win/MediaTempFile.h"

#include <windows.h>


#include "base/UserMessages.h"
#include "base/win/ScopedWin.h"
#include "media/MediaMessages.h"

namespace saver::win {
namespace {

// The unique empty file the system makes for us, or an empty name.
std::wstring NewSsdFile() {
  wchar_t folder[MAX_PATH + 1]{};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  wchar_t name[MAX_PATH]{};
  if (GetTempFileNameW(folder, L"Ssd", 0, name) == 0) return {};
  return name;
}

constexpr std::size_t kPieceSize = 1 << 20;

// Written in pieces, unscrambled on the way: the file's bytes are never held whole.
bool WriteAll(const std::wstring& name, const CStoredBytes& bytes) {
  ScopedFile file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bool complete = true;
  bytes.ForEachPiece(kPieceSize, [&](std::span<const std::uint8_t> piece) {
    DWORD written = 0;
    const auto size = static_cast<DWORD>(piece.size());
    complete = complete && WriteFile(file.Get(), piece.data(), size, &written, nullptr) && written == size;
  });
  return complete;
}

}  // namespace

std::wstring WriteMediaTempFile(const CStoredBytes& bytes, const wchar_t* extension, CUserMessages& messages) {
  std::wstring ssd = NewSsdFile();
  std::wstring named;
  if (!ssd.empty() && WriteAll(ssd, bytes)) {
    named = ssd + extension;
    if (!CopyFileW(ssd.c_str(), named.c_str(), FALSE)) {
      // A copy that failed part-way may have left some of the file.
      DeleteFileW(named.c_str());
      named.clear();
    }
  }
  if (!ssd.empty()) DeleteFileW(ssd.c_str());
  if (named.empty()) messages.ShowError(kMediaFileFailedMessage);
  return named;
}

void DeleteMediaFile(std::wstring& name) {
  if (!name.empty()) DeleteFileW(name.c_str());
  name.clear();
}

}  // namespace saver::win
