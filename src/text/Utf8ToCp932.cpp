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

// Writes one well-formed character; counts it when it becomes '?'.
unsigned char* PutCharacter(char32_t code, unsigned char* out, std::size_t& unmapped) {
  if (const std::uint16_t jis = JisSpelling(code)) {
    *out++ = static_cast<unsigned char>(jis >> 8);
    *out++ = static_cast<unsigned char>(jis & 0xFF);
  } else if (code < 0x10000) {
    unsigned char* const at = out;
    out = PutCp932(static_cast<char16_t>(code), out);
    if (out == at + 1 && *at == '?') ++unmapped;
  } else {
    *out++ = '?';  // one per UTF-16 unit of the pair
    *out++ = '?';
    ++unmapped;
  }
  return out;
}

// The bytes of the malformed sequence at in[0]: the lead byte and the
// continuation bytes that still fitted it. `cutOff` when every byte there
// fitted and the input ended first.
std::size_t MaximalSubpart(const unsigned char* in, std::size_t available, bool& cutOff) {
  cutOff = false;
  unsigned char low, high;
  if (!utf8::SecondByteRange(in[0], low, high)) return 1;
  const std::size_t length = static_cast<std::size_t>(utf8::SequenceLength(in[0]));
  std::size_t taken = 1;
  while (taken < length && taken < available) {
    const unsigned char byte = in[taken];
    const bool fits = taken == 1 ? byte >= low && byte <= high : utf8::IsContinuation(byte);
    if (!fits) return taken;
    ++taken;
  }
  cutOff = taken < length;
  return taken;
}

// The conversion, stopping at the first malformed sequence: gives where it
// stopped in both texts.
struct Progress {
  std::size_t in = 0;
  unsigned char* out = nullptr;
  bool multiByte = false;  // a sequence of two bytes or more was converted
};

Progress ConvertUntilMalformed(const unsigned char* in, std::size_t count, std::size_t from,
                               unsigned char* out, std::size_t& unmapped) {
  std::size_t i = from;
  bool multiByte = false;
  while (i < count) {
    // Whole blocks of lines are mostly ASCII: their runs are long.
    const std::size_t ascii =
        count - i >= 64 ? LongAsciiRunLength(in + i, count - i) : AsciiRunLength(in + i, count - i);
    std::memcpy(out, in + i, ascii);
    i += ascii;
    out += ascii;
    while (i < count && in[i] >= 0x80) {
      char32_t code = 0;
      const int length = utf8::DecodeSequence(in + i, count - i, code);
      if (length == 0) return {i, out, multiByte};
      multiByte = true;
      i += static_cast<std::size_t>(length);
      out = PutCharacter(code, out, unmapped);
    }
  }
  return {i, out, multiByte};
}

}  // namespace

std::optional<std::size_t> TranscodeUtf8ToCp932Into(std::string_view utf8, std::string& cp932,
                                                    std::size_t* replaced) {
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  // Every sequence of two to four bytes gives at most two bytes.
  if (cp932.size() < utf8.size()) cp932.resize(utf8.size());
  auto* const start = reinterpret_cast<unsigned char*>(cp932.data());
  std::size_t unmapped = 0;
  const Progress done = ConvertUntilMalformed(in, utf8.size(), 0, start, unmapped);
  if (done.in < utf8.size()) return std::nullopt;
  if (replaced != nullptr) *replaced += unmapped;
  return static_cast<std::size_t>(done.out - start);
}

bool TranscodeUtf8ToCp932(std::string_view utf8, std::string& cp932) {
  const std::optional<std::size_t> length = TranscodeUtf8ToCp932Into(utf8, cp932);
  if (length) cp932.resize(*length);
  return length.has_value();
}

std::size_t TranscodeUtf8ToCp932Lossy(std::string_view utf8, bool more, std::string& cp932,
                                      std::size_t& consumed, Utf8Losses& losses) {
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t count = utf8.size();
  if (cp932.size() < count) cp932.resize(count);
  auto* const start = reinterpret_cast<unsigned char*>(cp932.data());
  Progress at{0, start};
  for (;;) {
    at = ConvertUntilMalformed(in, count, at.in, at.out, losses.unmapped);
    losses.multiByte = losses.multiByte || at.multiByte;
    if (at.in == count) break;
    bool cutOff = false;
    const std::size_t bad = MaximalSubpart(in + at.in, count - at.in, cutOff);
    if (cutOff && more) break;  // the next piece completes it
    *at.out++ = '?';
    ++losses.malformed;
    at.in += bad;
  }
  consumed = at.in;
  return static_cast<std::size_t>(at.out - start);
}

}  // namespace mif
