// Windows code page 932 (Shift-JIS as Windows defines it): the narrow code
// page of every text this system reads and writes. Our own table codec,
// behaving as MultiByteToWideChar / WideCharToMultiByte with flags 0.
#pragma once

#include <string>
#include <string_view>

namespace mif {

// The one replacement a decode gives for bytes it cannot map: KATAKANA
// MIDDLE DOT, as Windows gives it.
inline constexpr char16_t kCp932DecodeReplacement = u'\u30FB';

// Whether `byte` is a lead byte of code page 932: 0x81-0x9F or 0xE0-0xFC.
constexpr bool LeadByteSet(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Whether `byte` can follow a lead byte as its trail byte: 0x40-0x7E or
// 0x80-0xFC. Windows decodes a lead byte before any other byte (a quote, a
// comma, a line break) as a character of its own, the byte after it read
// on its own.
constexpr bool TrailByteSet(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Whether every byte of `narrow` belongs to a character that code page 932
// maps: no lead byte without its trail, no unmapped pair, none of the
// bytes 80, A0, FD to FF that stand for no character. With `more` (the
// text goes on) a lead byte at the end is taken as whole.
bool IsWellFormedCp932(std::string_view narrow, bool more = false);

// Never fails. A lead byte with an unmapped trail gives one U+30FB for both
// bytes; a lead byte at the end, or before a zero byte, gives U+30FB for the
// lead byte alone. Every single byte is mapped.
std::u16string DecodeCp932(std::string_view narrow);
// The same into `wide`, replacing its content and reusing its storage.
void DecodeCp932(std::string_view narrow, std::u16string& wide);

// Never fails. Round-trip mappings first, then Windows' best fits
// (U+00E9 -> 'e', U+00A5 -> '\'); anything else gives '?' per UTF-16 unit,
// so a character beyond U+FFFF gives "??". The NEC-selected IBM codes
// 0xED/0xEE are decoded but never written.
std::string EncodeCp932(std::u16string_view wide);
// The same into `narrow`, replacing its content and reusing its storage.
void EncodeCp932(std::u16string_view wide, std::string& narrow);

// The same into the first units (bytes) of `buffer`, which grows when it
// must and never shrinks, so that a buffer reused line after line is not
// filled anew each time; gives the length of the result.
std::size_t DecodeCp932Into(std::string_view narrow, std::u16string& buffer);
std::size_t EncodeCp932Into(std::u16string_view wide, std::string& buffer);

}  // namespace mif
