#include "text/Utf8ToCp932.h"

#include <cstdint>
#include <cstring>

#include "text/Cp932Tables.h"
#include "text/Utf8Sequence.h"

namespace mif {

namespace {

// Length of the leading run of bytes below 0x80, found a word at a time.
std::size_t AsciiRunLength(const unsigned char* bytes, std::size_t count) {
  std::size_t run = 0;
  for (; run + 8 <= count; run += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + run, 8);
    if ((word & 0x8080808080808080ull) != 0) break;
  }
  while (run < count && bytes[run] < 0x80) ++run;
  return run;
}

}  // namespace

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
