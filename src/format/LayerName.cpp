#include "format/LayerName.h"

namespace mif {

namespace {

constexpr auto kNone = std::u16string_view::npos;

// The rule for names without ".": after the first "__", else after the
// last "_", else the whole name; the tile before the separator.
NameParts WithoutDot(std::u16string_view name, std::u16string_view whole) {
  const std::size_t doubled = name.find(u"__");
  if (doubled != kNone) {
    return {std::u16string(name.substr(doubled + 2)), std::u16string(whole.substr(0, doubled))};
  }
  const std::size_t single = name.rfind(u'_');
  if (single != kNone) {
    return {std::u16string(name.substr(single + 1)), std::u16string(whole.substr(0, single))};
  }
  return {std::u16string(name), std::u16string(whole)};
}

}  // namespace

NameParts DeriveNameParts(std::u16string_view baseName) {
  const std::size_t doubled = baseName.find(u"__");
  const std::size_t dot = baseName.find(u'.');
  if (dot == kNone) return WithoutDot(baseName, baseName);
  if (doubled == kNone) return WithoutDot(baseName.substr(0, dot), baseName);
  // Between "__" and the first "."; nothing when the "." comes first.
  const std::size_t start = doubled + 2;
  const std::u16string_view layer =
      dot > start ? baseName.substr(start, dot - start) : std::u16string_view();
  return {std::u16string(layer), std::u16string(baseName.substr(0, doubled))};
}

}  // namespace mif
