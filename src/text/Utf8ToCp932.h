// UTF-8 straight to code page 932, for the text of UTF-8 sources.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mif {

// Gives what EncodeCp932(*DecodeUtf8(utf8)) gives, without the UTF-16 step
// (ASCII runs are copied as they are), except for four characters that
// Windows writes as '?' but code page 932 holds under other code points,
// as JIS-based converters and macOS spell them in UTF-8:
//   U+301C 〜 -> 81 60, U+2016 ‖ -> 81 61, U+2212 − -> 81 7C, U+2014 — -> 81 5C.
// Returns false, with `cp932` holding no meaningful text, for input that
// DecodeUtf8 rejects.
bool TranscodeUtf8ToCp932(std::string_view utf8, std::string& cp932);
// The same into the first bytes of `buffer`, which grows when it must and
// never shrinks; gives the result's length, or nothing for rejected input.
// Adds to `replaced`, when given, the characters written as '?' for want
// of a mapping (a character beyond U+FFFF counts once, written "??").
std::optional<std::size_t> TranscodeUtf8ToCp932Into(std::string_view utf8, std::string& buffer,
                                                    std::size_t* replaced = nullptr);

// Characters a lossy conversion wrote as '?'.
struct Utf8Losses {
  std::size_t unmapped = 0;   // well-formed, but not in code page 932
  std::size_t malformed = 0;  // byte sequences that are no UTF-8
  bool multiByte = false;     // a well-formed sequence of two bytes or more came
};

// TranscodeUtf8ToCp932Into that never rejects: each malformed sequence (a
// maximal subpart, as Unicode counts them, so a character cut off at its
// third byte is one) is written as one '?'. With `more` (the text goes on
// in a next piece) a sequence cut off at the end is left for that piece:
// `consumed` says how much of `utf8` was taken, all of it without `more`.
std::size_t TranscodeUtf8ToCp932Lossy(std::string_view utf8, bool more, std::string& buffer,
                                      std::size_t& consumed, Utf8Losses& losses);

}  // namespace mif
