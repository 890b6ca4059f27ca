#include "format/LayerName.h"

#include "text/Cp932.h"
#include "text/MbcsText.h"

namespace mif {

namespace {

// The rule for names without ".": after the first "__", else after the
// last "_", else the whole name.
std::string LayerWithoutDot(std::string_view name, int doubleUnderscore) {
  const int length = static_cast<int>(name.size());
  int p = doubleUnderscore;
  if (p == 0) p = FindLastSubstringMbcs(name, "_", length);
  return CopySubstring(name, p + 2, length - p - 1);
}

}  // namespace

int FindSubstringMbcs(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return 0;
  for (std::size_t offset = 0; offset + pattern.size() <= text.size();) {
    if (text.compare(offset, pattern.size(), pattern) == 0) return static_cast<int>(offset) + 1;
    offset += LeadByteSet(static_cast<unsigned char>(text[offset])) ? 2 : 1;
  }
  return 0;
}

int FindLastSubstringMbcs(std::string_view text, std::string_view pattern, int limit) {
  const int length = static_cast<int>(text.size());
  const int patternLength = static_cast<int>(pattern.size());
  int result = -1;
  int offset = 0;
  while (offset < length && text[offset] != '\0' && offset < limit + 1) {
    if (patternLength > 0 && offset + patternLength <= length &&
        CompareTextCp932(text.data() + offset, pattern.data(), patternLength) == 0) {
      result = offset;
      offset += patternLength;
    } else {
      offset += LeadByteSet(static_cast<unsigned char>(text[offset])) ? 2 : 1;
    }
  }
  return result;
}

std::string DeriveLayerName(std::string_view baseName) {
  const int p = FindSubstringMbcs(baseName, "__");
  const int d = FindSubstringMbcs(baseName, ".");
  if (d == 0) return LayerWithoutDot(baseName, p);
  if (p == 0) {
    const std::string_view beforeDot = baseName.substr(0, static_cast<std::size_t>(d - 1));
    return LayerWithoutDot(beforeDot, FindSubstringMbcs(beforeDot, "__"));
  }
  return CopySubstring(baseName, p + 2, d - p - 2);
}

}  // namespace mif
