// Operations on narrow (code page 932 bytes) and wide (UTF-16) text.
// Positions and counts are 1-based and signed; 0 means no position. Out of
// range arguments never fail: they are clamped or give an empty result.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mif {

enum class ByteClass { Single, Lead, Trail };

// Class of the byte at 1-based `position`, found by looking back over the
// run of lead-byte values before it. A zero byte, or a position outside the
// text, is Single.
ByteClass ClassifyByte(std::string_view text, int position);

// 1-based position of the first byte of the text's last character; 0 for
// an empty text.
int FindLastCharacter(std::string_view text);

// Compares exactly `count` bytes at `a` and `b`, which must both be
// readable: 0 exactly when they are equal, else -1 or +1 by unsigned byte
// order.
int CompareTextCp932(const char* a, const char* b, int count);

// Position of the first occurrence of `pattern`; 0 when the pattern is
// empty, longer than the text, or absent. The narrow form is a plain byte
// search: a match may begin on a trail byte.
int FindSubstring(std::string_view pattern, std::string_view text);
int FindSubstring(std::u16string_view pattern, std::u16string_view text);

// Unit for unit; case counts, nothing is trimmed.
bool TextEquals(std::u16string_view a, std::u16string_view b);

// `count` units from `start`. A start below 1 is taken as 1 without
// shortening the count; a start past the end or a count <= 0 gives empty.
std::string CopySubstring(std::string_view text, int start, int count);
std::u16string CopySubstring(std::u16string_view text, int start, int count);

// Removes `count` units from `start`. Unlike CopySubstring, a start below 1
// (or past the end, or a count <= 0) leaves the text unchanged.
void DeleteSubstring(std::u16string& text, int start, int count);

// Decimal digits of `value`, with "-" when negative.
std::string FormatInteger(std::int32_t value);
// The same as wide text, for messages.
std::u16string FormatIntegerWide(std::int64_t value);

}  // namespace mif
