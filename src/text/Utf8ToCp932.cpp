#include "text/Utf8ToCp932.h"

#include <cstring>

#include "text/AsciiRun.h"
#include "text/Cp932Tables.h"
#include "text/Utf8Sequence.h"

namespace mif {

std::optional<std::size_t> TranscodeUtf8ToCp932Into(std::string_view utf8, std::string& cp932) {
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
      if (code < 0x10000) {
        out = PutCp932(static_cast<char16_t>(code), out);
      } else {
        *out++ = '?';  // one per UTF-16 unit of the pair
        *out++ = '?';
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
