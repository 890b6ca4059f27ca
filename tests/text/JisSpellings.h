// What the UTF-8 transcoder writes for the JIS spellings of four
// characters, for the tests and the fuzzer that compare it with the codec.
#pragma once

#include <string>

namespace mif::testing {

// The text with 〜 ‖ − — as the code points that code page 932 decodes
// their bytes to: 81 60 is U+FF5E, 81 61 U+2225, 81 7C U+FF0D, 81 5C
// U+2015.
inline std::u16string WindowsSpellings(std::u16string text) {
  for (char16_t& c : text) {
    c = c == u'\u301C'   ? u'\uFF5E'
        : c == u'\u2016' ? u'\u2225'
        : c == u'\u2212' ? u'\uFF0D'
        : c == u'\u2014' ? u'\u2015'
                         : c;
  }
  return text;
}

}  // namespace mif::testing
