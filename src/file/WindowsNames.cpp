#include "file/WindowsNames.h"

#include <array>
#include <cstdint>

#include "text/AsciiCase.h"
#include "text/Utf8Sequence.h"

namespace mif {

namespace {

// The upper case of a lower-case letter of Latin Extended-A (U+0100 to
// U+017F), whose cases alternate: upper even and lower odd, except in the
// two stretches where upper is odd. ı (U+0131) and ſ (U+017F) have none
// in NTFS's table; nor has ĸ (U+0138) or ŉ (U+0149) any.
char32_t UpperLatinExtendedA(char32_t c) {
  const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
  if (oddUpper) return c % 2 == 0 ? c - 1 : c;
  return c % 2 == 1 ? c - 1 : c;
}

char32_t UpperGreek(char32_t c) {
  if (c == 0x3AC) return 0x386;                 // ά
  if (c >= 0x3AD && c <= 0x3AF) return c - 37;  // έ ή ί
  if (c == 0x3C2) return 0x3A3;                 // ς, final sigma
  if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return c - 32;
  if (c == 0x3CC) return 0x38C;                 // ό
  if (c == 0x3CD || c == 0x3CE) return c - 63;  // ύ ώ
  return c;
}

char32_t UpperCyrillic(char32_t c) {
  if (c >= 0x430 && c <= 0x44F) return c - 32;  // а to я
  if (c >= 0x450 && c <= 0x45F) return c - 80;  // ѐ to џ
  if (c == 0x4CF) return 0x4C0;                 // ӏ
  if (c >= 0x4C1 && c <= 0x4CE) return c % 2 == 0 ? c - 1 : c;
  const bool paired =
      (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F);
  return paired && c % 2 == 1 ? c - 1 : c;
}

char32_t UpperCase(char32_t c) {
  if (c < 0x80) return static_cast<char32_t>(AsciiUpper(static_cast<char>(c)));
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;  // à to þ
  if (c == 0xFF) return 0x178;                             // ÿ
  if (c >= 0x100 && c <= 0x17F) return UpperLatinExtendedA(c);
  if (c >= 0x3AC && c <= 0x3CE) return UpperGreek(c);
  if (c >= 0x430 && c <= 0x52F) return UpperCyrillic(c);
  if (c >= 0x2170 && c <= 0x217F) return c - 16;  // ⅰ to ⅿ
  if (c >= 0x24D0 && c <= 0x24E9) return c - 26;  // ⓐ to ⓩ
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 32;  // ａ to ｚ
  return c;
}

bool IsDeviceName(std::string_view stem) {
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);  // "CON .mif" too
  std::string upper(stem);
  for (char& c : upper) c = AsciiUpper(c);
  constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view device : kPlain) {
    if (upper == device) return true;
  }
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

std::string FoldedAsWindows(std::string_view name) {
  std::string folded;
  folded.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.data()) + i;
    char32_t c = bytes[0];
    const int length = c < 0x80 ? 1 : utf8::DecodeSequence(bytes, name.size() - i, c);
    if (length == 0) {
      folded += name[i++];  // no UTF-8: as it is
      continue;
    }
    utf8::AppendCodePoint(UpperCase(c), folded);
    i += static_cast<std::size_t>(length);
  }
  return folded;
}

bool SameNameOnWindows(std::string_view one, std::string_view other) {
  return FoldedAsWindows(one) == FoldedAsWindows(other);
}

std::optional<std::u16string> WindowsNameProblem(std::string_view namePart) {
  if (IsDeviceName(namePart.substr(0, namePart.find('.')))) {
    return u"Windows の装置名です (CON、NUL、COM1 "
           u"などは拡張子を付けてもファイルの名前になりません)";
  }
  for (const char c : namePart) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 ||
        std::u16string_view(u"<>:\"/\\|?*").find(char16_t{byte}) != std::u16string_view::npos) {
      return u"Windows のファイル名に使えない文字 (<>:\"/\\|?* や制御文字) があります";
    }
  }
  if (!namePart.empty() && (namePart.back() == '.' || namePart.back() == ' ')) {
    return u"名前の最後の点や空白は Windows で消えます";
  }
  return std::nullopt;
}

}  // namespace mif
