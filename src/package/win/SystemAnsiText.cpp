#include "package/win/SystemAnsiText.h"

#include "base/win/TextConversion.h"

namespace saver::win {

std::string SystemAnsiFromUtf16(std::u16string_view text) {
  return AnsiFromWide(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

}  // namespace saver::win
