// ASCII letters taken in either case, the one way every layer compares and
// folds them: MIF keywords, column names, file extensions.
#pragma once

#include <string>
#include <string_view>

namespace mif {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
constexpr char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

// Byte for byte, ASCII letters in either case. For ASCII words and UTF-8
// names, where no letter byte is ever part of a longer character; code page
// 932 text, whose trail bytes may look like letters, is folded with
// UpperAsciiCp932 instead.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix);
bool EndsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view suffix);

// Code page 932 text with its ASCII letters in upper case, a trail byte
// never taken for one: ア 83 41 and ヂ 83 61 stay apart.
std::string UpperAsciiCp932(std::string_view cp932);

}  // namespace mif
