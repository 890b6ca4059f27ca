#include "text/Utf8.h"

#include "text/AsciiRun.h"
#include "text/Utf8Sequence.h"

namespace mif {

namespace {

using utf8::DecodeSequence;

void AppendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
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
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (wide[++i] - 0xDC00), out);
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(0xFFFD, out);
    } else {
      AppendUtf8(unit, out);
    }
  }
  return out;
}

}  // namespace mif
