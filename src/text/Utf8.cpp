#include "text/Utf8.h"

#include "text/AsciiRun.h"
#include "text/Utf8Sequence.h"

namespace mif {

namespace {

using utf8::AppendCodePoint;
using utf8::DecodeSequence;

bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

// A surrogate's three-byte form, ED A0 80 to ED BF BF, which UTF-8 refuses.
int DecodeSurrogate(const unsigned char* in, std::size_t available, char32_t& code) {
  if (available < 3 || in[0] != 0xED || in[1] < 0xA0 || in[1] > 0xBF || (in[2] & 0xC0) != 0x80) {
    return 0;
  }
  code = 0xD000 | ((in[1] & 0x3F) << 6) | (in[2] & 0x3F);
  return 3;
}

void AppendUtf16(char32_t code, std::u16string& out) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
  } else {
    out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  }
}

// Calls `put` with each character of `wide`, a pair as one, a lone
// surrogate as itself.
template <typename Put>
void ForEachCharacter(std::u16string_view wide, const Put& put) {
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      put(0x10000 + ((unit - 0xD800) << 10) + (wide[++i] - 0xDC00));
    } else {
      put(unit);
    }
  }
}

}  // namespace

std::optional<std::size_t> DecodeUtf8Into(std::string_view utf8, std::u16string& wide) {
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t count = utf8.size();
  if (wide.size() < count) wide.resize(count);  // a four-byte form gives two units, never more
  char16_t* out = wide.data();
  std::size_t i = 0;
  while (i < count) {
    const std::size_t ascii = WidenAsciiRun(in + i, count - i, out);
    i += ascii;
    out += ascii;
    while (i < count && in[i] >= 0x80) {
      char32_t code = 0;
      const int length = DecodeSequence(in + i, count - i, code);
      if (length == 0) return std::nullopt;
      i += static_cast<std::size_t>(length);
      if (code < 0x10000) {
        *out++ = static_cast<char16_t>(code);
      } else {
        *out++ = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
      }
    }
  }
  return static_cast<std::size_t>(out - wide.data());
}

bool IsWellFormedUtf8(std::string_view utf8) {
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  for (std::size_t i = 0; i < utf8.size();) {
    i += AsciiRunLength(in + i, utf8.size() - i);
    if (i == utf8.size()) break;
    char32_t code = 0;
    const int length = DecodeSequence(in + i, utf8.size() - i, code);
    if (length == 0) return false;
    i += static_cast<std::size_t>(length);
  }
  return true;
}

bool DecodeUtf8(std::string_view utf8, std::u16string& wide) {
  const std::optional<std::size_t> length = DecodeUtf8Into(utf8, wide);
  if (length) wide.resize(*length);
  return length.has_value();
}

std::optional<std::u16string> DecodeUtf8(std::string_view utf8) {
  std::u16string wide;
  if (!DecodeUtf8(utf8, wide)) return std::nullopt;
  return wide;
}

std::string EncodeUtf8(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size() * 3);
  ForEachCharacter(wide,
                   [&](char32_t code) { AppendCodePoint(IsSurrogate(code) ? 0xFFFD : code, out); });
  return out;
}

std::string EncodeWtf8(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size() * 3);
  ForEachCharacter(wide, [&](char32_t code) { AppendCodePoint(code, out); });
  return out;
}

std::u16string DecodeWtf8(std::string_view wtf8) {
  const auto* in = reinterpret_cast<const unsigned char*>(wtf8.data());
  std::u16string wide;
  wide.reserve(wtf8.size());
  for (std::size_t i = 0; i < wtf8.size();) {
    char32_t code = in[i];
    int length = code < 0x80 ? 1 : DecodeSequence(in + i, wtf8.size() - i, code);
    if (length == 0) length = DecodeSurrogate(in + i, wtf8.size() - i, code);
    if (length == 0) {
      code = 0xFFFD;
      length = 1;
    }
    AppendUtf16(code, wide);
    i += static_cast<std::size_t>(length);
  }
  return wide;
}

}  // namespace mif
