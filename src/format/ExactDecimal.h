// A decimal number read from its digits without rounding, so that a
// coordinate is placed against a mesh's edges exactly: 35.675 is 35.675,
// not the double nearest it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace mif {

// The value is `numerator` / kDecimalDenominator: twenty decimal places,
// doubled so that digits past them still count (a value between two
// twentieth places lies at the odd numerator between them).
struct ExactDecimal {
  __int128 numerator = 0;
  auto operator<=>(const ExactDecimal&) const = default;
};
inline constexpr __int128 kDecimalDenominator = static_cast<__int128>(200000000000) * 1000000000;

// A number as MIF writers write coordinates: a sign, digits with or
// without a point, an exponent ("1.5e-3"). Nothing for any other text, or
// for a magnitude of 10^8 or more, which no coordinate this tool places
// comes near.
std::optional<ExactDecimal> ParseExactDecimal(std::string_view text);

// A number of at most 18 digits with or without a point, and no exponent,
// as coordinates are mostly written: mantissa / 10^places, exactly, read
// in one pass over its bytes. Nothing for any other text (which
// ParseExactDecimal may still read).
struct FixedDecimal {
  std::int64_t mantissa = 0;
  int places = 0;
};
// 10^places for every number of places a FixedDecimal has.
inline constexpr std::array<std::int64_t, 19> kPowersOfTen = [] {
  std::array<std::int64_t, 19> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();
std::optional<FixedDecimal> ParseFixedDecimal(std::string_view text);
// The plain decimal at `p`, read as ParseFixedDecimal reads a text, `p`
// left after it; false, `p` as it was, where none is there. What follows
// it is left to the caller: "1.5e3" gives 1.5, before "e3".
bool ScanFixedDecimal(const char*& p, const char* end, FixedDecimal& value);

// floor(value × factor), exactly; `factor` up to 10^9.
std::int64_t FloorTimes(const ExactDecimal& value, std::int64_t factor);

// The sign of value × factor − bound, exactly; `factor` up to 10^9,
// `bound` up to 10^15 in magnitude.
int CompareTimes(const ExactDecimal& value, std::int64_t factor, std::int64_t bound);

}  // namespace mif
