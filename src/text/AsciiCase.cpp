#include "text/AsciiCase.h"

#include "text/Cp932.h"

namespace mif {

namespace {

template <typename Char>
bool EqualsFolded(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) { return EqualsFolded(a, b); }

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsFolded(text.substr(text.size() - suffix.size()), suffix);
}

bool EndsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsFolded(text.substr(text.size() - suffix.size()), suffix);
}

std::string UpperAsciiCp932(std::string_view cp932) {
  std::string folded(cp932);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    if (LeadByteSet(static_cast<unsigned char>(folded[i]))) {
      ++i;  // its trail byte may look like a letter
    } else {
      folded[i] = AsciiUpper(folded[i]);
    }
  }
  return folded;
}

}  // namespace mif
