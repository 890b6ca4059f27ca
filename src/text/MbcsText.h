// Integers as the messages write them, narrow (code page 932 text) and
// wide (UTF-16).
#pragma once

#include <cstdint>
#include <string>

namespace mif {

// Decimal digits of `value`, with "-" when negative.
std::string FormatInteger(std::int32_t value);
// The same as wide text, for messages.
std::u16string FormatIntegerWide(std::int64_t value);

}  // namespace mif
