#include "text/Utf8ToCp932.h"

#include <cstring>

#include "text/AsciiRun.h"
#include "text/Cp932Tables.h"
#include "text/Utf8Sequence.h"

namespace mif {

namespace {

// The JIS spellings of characters that code page 932 maps from other code
// points (FF5E, 2225, FF0D, 2015); 0 for any other.
std::uint16_t JisSpelling(char32_t code) {
  switch (code) {
    case 0x301C:  // WAVE DASH
      return 0x8160;
    case 0x2016:  // DOUBLE VERTICAL LINE
      return 0x8161;
    case 0x2212:  // MINUS SIGN
      return 0x817C;
    case 0x2014:  // EM DASH
      return 0x815C;
    default:
      return 0;
  }
}

}  // namespace

std::optional<std::size_t> TranscodeUtf8ToCp932Into(std::string_view utf8, std::string& cp932,
                                                    std::size_t* replaced) {
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t count = utf8.size();
  // Every sequence of two to four bytes gives at most two bytes.
  if (cp932.size() < count) cp932.resize(count);
  auto* const start = reinterpret_cast<unsigned char*>(cp932.data());
  unsigned char* out = start;
  std::size_t i = 0;
  while (i < count) {
    const std::size_t ascii = AsciiRunLength(in + i, count - i);
    std::memcpy(out, in + i, ascii);
    i += ascii;
    out += ascii;
    while (i < count && in[i] >= 0x80) {
      char32_t code = 0;
      const int length = utf8::DecodeSequence(in + i, count - i, code);
      if (length == 0) return std::nullopt;
      i += static_cast<std::size_t>(length);
      if (const std::uint16_t jis = JisSpelling(code)) {
        *out++ = static_cast<unsigned char>(jis >> 8);
        *out++ = static_cast<unsigned char>(jis & 0xFF);
      } else if (code < 0x10000) {
        unsigned char* const at = out;
        out = PutCp932(static_cast<char16_t>(code), out);
        if (replaced != nullptr && out == at + 1 && *at == '?') ++*replaced;
      } else {
        *out++ = '?';  // one per UTF-16 unit of the pair
        *out++ = '?';
        if (replaced != nullptr) ++*replaced;
      }
    }
  }
  return static_cast<std::size_t>(out - start);
}

bool TranscodeUtf8ToCp932(std::string_view utf8, std::string& cp932) {
  const std::optional<std::size_t> length = TranscodeUtf8ToCp932Into(utf8, cp932);
  if (length) cp932.resize(*length);
  return length.has_value();
}

}  // namespace mif
