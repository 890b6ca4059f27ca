#include "text/MbcsText.h"

namespace mif {

std::string FormatInteger(std::int32_t value) { return std::to_string(value); }

std::u16string FormatIntegerWide(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace mif
