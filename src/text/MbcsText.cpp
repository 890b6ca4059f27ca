#include "text/MbcsText.h"

#include <algorithm>
#include <cstring>

#include "text/Cp932.h"

namespace mif {

namespace {

int Length(std::size_t size) { return static_cast<int>(std::min<std::size_t>(size, INT32_MAX)); }

unsigned char ByteAt(std::string_view text, int position) {
  return static_cast<unsigned char>(text[static_cast<std::size_t>(position - 1)]);
}

template <typename Text>
int FindFirst(Text pattern, Text text) {
  if (pattern.empty() || pattern.size() > text.size()) return 0;
  const std::size_t found = text.find(pattern);
  return found == Text::npos ? 0 : Length(found + 1);
}

// Clamps (start, count) as CopySubstring does; false when nothing is left.
bool ClampCopy(int length, int& start, int& count) {
  if (length == 0) return false;
  start = std::max(start, 1);
  if (start > length || count <= 0) return false;
  count = std::min<std::int64_t>(count, std::int64_t{length} - start + 1);
  return true;
}

template <typename Text>
auto CopyPart(Text text, int start, int count) {
  using Result = std::basic_string<typename Text::value_type>;
  if (!ClampCopy(Length(text.size()), start, count)) return Result();
  return Result(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

}  // namespace

ByteClass ClassifyByte(std::string_view text, int position) {
  if (position < 1 || position > Length(text.size())) return ByteClass::Single;
  const unsigned char byte = ByteAt(text, position);
  if (byte == 0) return ByteClass::Single;
  int leadsBefore = 0;
  for (int i = position - 1; i >= 1 && LeadByteSet(ByteAt(text, i)); --i) ++leadsBefore;
  if (leadsBefore % 2 == 1) return ByteClass::Trail;
  return LeadByteSet(byte) ? ByteClass::Lead : ByteClass::Single;
}

int FindLastCharacter(std::string_view text) {
  int i = Length(text.size());
  while (i > 1 && ClassifyByte(text, i) == ByteClass::Trail) --i;
  return i;
}

int CompareTextCp932(const char* a, const char* b, int count) {
  if (count <= 0) return 0;
  const int order = std::memcmp(a, b, static_cast<std::size_t>(count));
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int FindSubstring(std::string_view pattern, std::string_view text) {
  return FindFirst(pattern, text);
}

int FindSubstring(std::u16string_view pattern, std::u16string_view text) {
  return FindFirst(pattern, text);
}

bool TextEquals(std::u16string_view a, std::u16string_view b) { return a == b; }

std::string CopySubstring(std::string_view text, int start, int count) {
  return CopyPart(text, start, count);
}

std::u16string CopySubstring(std::u16string_view text, int start, int count) {
  return CopyPart(text, start, count);
}

void DeleteSubstring(std::u16string& text, int start, int count) {
  const int length = Length(text.size());
  if (length == 0 || start < 1 || start > length || count <= 0) return;
  count = std::min<std::int64_t>(count, std::int64_t{length} - start + 1);
  text.erase(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

std::string FormatInteger(std::int32_t value) { return std::to_string(value); }

std::u16string FormatIntegerWide(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace mif
