#include "media/win/MediaTempFile.h"

#include <windows.h>

#include <limits>

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

bool WriteAll(const std::wstring& name, const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() > std::numeric_limits<DWORD>::max()) return false;
  ScopedFile file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(bytes.size());
  return WriteFile(file.Get(), bytes.data(), size, &written, nullptr) && written == size;
}

}  // namespace

std::wstring WriteMediaTempFile(const std::vector<std::uint8_t>& bytes, const wchar_t* extension,
                                UserMessages& messages) {
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
