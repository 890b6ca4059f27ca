#include "Utf8.h"

#include "AsciiRun.h"

namespace mif {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The range the second byte must lie in after `first` (Unicode's table of
// well-formed byte sequences); returns false for a byte that starts nothing.
bool SecondByteRange(unsigned char first, unsigned char& low, unsigned char& high) {
  low = 0x80;
  high = 0xBF;
  if (first >= 0xC2 && first <= 0xDF) return true;
  if (first == 0xE0) low = 0xA0;
  if (first == 0xED) high = 0x9F;
  if (first >= 0xE0 && first <= 0xEF) return true;
  if (first == 0xF0) low = 0x90;
  if (first == 0xF4) high = 0x8F;
  return first >= 0xF0 && first <= 0xF4;
}

int SequenceLength(unsigned char first) { return first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4; }

// Decodes one multi-byte sequence at in[0]; returns its length, or 0 when
// it is not well formed.
int DecodeSequence(const unsigned char* in, std::size_t available, char32_t& code) {
  unsigned char low, high;
  if (!SecondByteRange(in[0], low, high)) return 0;
  const int length = SequenceLength(in[0]);
  if (available < static_cast<std::size_t>(length) || in[1] < low || in[1] > high) return 0;
  code = in[0] & (0xFF >> (length + 1));
  for (int k = 1; k < length; ++k) {
    if (!IsContinuation(in[k])) return 0;
    code = (code << 6) | (in[k] & 0x3F);
  }
  return length;
}

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

bool DecodeUtf8(std::string_view utf8, std::u16string& wide) {
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t count = utf8.size();
  if (wide.size() < count) wide.resize(count);  // a four-byte form gives two units, never more
  char16_t* out = wide.data();
  std::size_t i = 0;
  while (i < count) {
    if (in[i] < 0x80) {
      const std::size_t ascii = WidenAsciiBlocks(in + i, count - i, out);
      i += ascii;
      out += ascii;
      for (; i < count && in[i] < 0x80; ++i) *out++ = in[i];
      continue;
    }
    while (i < count && in[i] >= 0x80) {
      char32_t code = 0;
      const int length = DecodeSequence(in + i, count - i, code);
      if (length == 0) return false;
      i += static_cast<std::size_t>(length);
      if (code < 0x10000) {
        *out++ = static_cast<char16_t>(code);
      } else {
        *out++ = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
      }
    }
  }
  wide.resize(static_cast<std::size_t>(out - wide.data()));
  return true;
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
