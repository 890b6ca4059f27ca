#include "format/ExactDecimal.h"

#include <string>

namespace mif {

namespace {

constexpr int kPlaces = 20;
constexpr int kMaxIntegerDigits = 8;  // a magnitude under 10^8

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits of a mantissa and where its point falls among them, the
// exponent applied.
struct Digits {
  std::string digits;
  long point = 0;  // digits before the point; may be negative or past the end
};

std::optional<Digits> ReadDigits(std::string_view text) {
  Digits read;
  std::size_t i = 0;
  bool seenPoint = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      read.digits += text[i];
      if (!seenPoint) ++read.point;
    } else if (text[i] == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (read.digits.empty()) return std::nullopt;
  if (i == text.size()) return read;
  if (text[i] != 'e' && text[i] != 'E') return std::nullopt;
  ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  if (i == text.size()) return std::nullopt;
  long exponent = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    exponent = std::min(exponent * 10 + (text[i] - '0'), 100000L);
  }
  read.point += negative ? -exponent : exponent;
  return read;
}

// floor(a / b) for b > 0.
__int128 FloorDivide(__int128 a, __int128 b) {
  const __int128 quotient = a / b;
  return (a % b != 0 && a < 0) ? quotient - 1 : quotient;
}

}  // namespace

std::optional<ExactDecimal> ParseExactDecimal(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  const std::optional<Digits> read = ReadDigits(text);
  if (!read) return std::nullopt;
  // The value's digit at each place, from 10^7 down to 10^-20; digits
  // past the last place only say whether anything is there.
  __int128 scaled = 0;
  bool beyond = false;
  const long count = static_cast<long>(read->digits.size());
  for (long k = 0; k < count; ++k) {
    const int digit = read->digits[static_cast<std::size_t>(k)] - '0';
    const long place = read->point - 1 - k;  // the power of ten this digit stands for
    if (place >= kMaxIntegerDigits) {
      if (digit != 0) return std::nullopt;
    } else if (place >= -kPlaces) {
      __int128 unit = 1;
      for (long p = -kPlaces; p < place; ++p) unit *= 10;
      scaled += unit * digit;
    } else if (digit != 0) {
      beyond = true;
    }
  }
  const __int128 numerator = 2 * scaled + (beyond ? 1 : 0);
  return ExactDecimal{negative ? -numerator : numerator};
}

std::optional<FixedDecimal> ParseFixedDecimal(std::string_view text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
  std::int64_t mantissa = 0;
  int digits = 0, places = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 18) return std::nullopt;
      mantissa = mantissa * 10 + (c - '0');
      places += point ? 1 : 0;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  return FixedDecimal{negative ? -mantissa : mantissa, places};
}

std::int64_t FloorTimes(const ExactDecimal& value, std::int64_t factor) {
  return static_cast<std::int64_t>(FloorDivide(value.numerator * factor, kDecimalDenominator));
}

int CompareTimes(const ExactDecimal& value, std::int64_t factor, std::int64_t bound) {
  const __int128 left = value.numerator * factor;
  const __int128 right = static_cast<__int128>(bound) * kDecimalDenominator;
  return left < right ? -1 : left > right ? 1 : 0;
}

}  // namespace mif
