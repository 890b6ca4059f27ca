// One well-formed UTF-8 sequence, shared by the decoders.
#pragma once

#include <cstddef>
#include <string>

namespace mif::utf8 {

inline bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The range the second byte must lie in after `first` (Unicode's table of
// well-formed byte sequences); returns false for a byte that starts nothing.
inline bool SecondByteRange(unsigned char first, unsigned char& low, unsigned char& high) {
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

inline int SequenceLength(unsigned char first) { return first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4; }

// Decodes one multi-byte sequence at in[0]; returns its length, or 0 when
// it is not well formed.
inline int DecodeSequence(const unsigned char* in, std::size_t available, char32_t& code) {
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

// Appends `code`'s sequence of one to four bytes.
inline void AppendCodePoint(char32_t code, std::string& out) {
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

}  // namespace mif::utf8
