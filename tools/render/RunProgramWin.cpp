#include <windows.h>

#include "ToolError.h"
#include "base/win/TextConversion.h"
#include "render/RunProgram.h"

namespace saver::tool {
namespace {

// One word of a command line as the C runtime splits it again: quoted, with backslashes before
// a quote doubled.
std::wstring Quoted(const std::wstring& word) {
  std::wstring text = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    text += c;
  }
  text.append(backslashes * 2, L'\\');
  return text + L"\"";
}

struct HandleOwner {
  HANDLE handle;
  ~HandleOwner() {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

}  // namespace

int RunProgram(const std::vector<std::string>& words, const std::filesystem::path& log) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HandleOwner log_file{CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (log_file.handle == INVALID_HANDLE_VALUE) throw CToolError(log.string() + ": cannot be written");
  std::wstring command_line;
  for (const std::string& word : words) command_line += (command_line.empty() ? L"" : L" ") + Quoted(win::WideFromUtf8(word));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = log_file.handle;
  startup.hStdError = log_file.handle;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return kProgramNotStarted;
  }
  const HandleOwner process_handle{process.hProcess};
  const HandleOwner thread_handle{process.hThread};
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  return GetExitCodeProcess(process.hProcess, &status) ? static_cast<int>(status) : -1;
}

}  // namespace saver::tool
