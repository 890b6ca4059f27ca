#include <windows.h>

#include "platform/SystemErrorText.h"

namespace mif {

// The runtime's own codes 100-106 mean other things to the system.
std::u16string SystemErrorText(std::int32_t statusCode) {
  if (statusCode >= 100 && statusCode <= 106) return {};
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(statusCode), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string result(text, text + length);
  LocalFree(text);
  while (!result.empty() &&
         (result.back() == u'\r' || result.back() == u'\n' || result.back() == u'.'))
    result.pop_back();
  return result;
}

}  // namespace mif
