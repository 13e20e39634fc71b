#include "imaging/win/MessageBoxSink.h"

#include <windows.h>

#include "base/win/TextConversion.h"

namespace saver::win {

void CMessageBoxSink::Show(std::string_view text) { MessageBoxW(nullptr, WideFromAnsi(text).c_str(), nullptr, MB_OK); }

}  // namespace saver::win
