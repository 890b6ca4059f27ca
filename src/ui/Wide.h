// Text at the Win32 boundary: the system's texts are code page 932 inside
// and UTF-16 for the W APIs, converted with our own codec.
#pragma once

#include <string>
#include <string_view>

#include "text/Cp932.h"

namespace mif {

inline std::wstring Wide(std::string_view cp932) {
  const std::u16string wide = DecodeCp932(cp932);
  return std::wstring(wide.begin(), wide.end());
}

inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string Utf16(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

inline std::string Narrow(std::wstring_view wide) { return EncodeCp932(Utf16(wide)); }

}  // namespace mif
