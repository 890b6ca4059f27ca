#include "format/ExactDecimal.h"

#include <bit>
#include <cstring>

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

namespace {

// Up to 8 digits at `q`, 8 bytes readable there, read at once: their
// count, their value in `value`. A byte is a digit where it is 30–39: the
// sum and the difference below set its top bit otherwise, and carry into
// no byte before the first that is none.
int EightDigits(const char* q, std::int64_t& value) {
  std::uint64_t bytes;
  std::memcpy(&bytes, q, 8);
  const std::uint64_t none =
      ((bytes + 0x4646464646464646) | (bytes - 0x3030303030303030) | bytes) & 0x8080808080808080;
  const int count = none == 0 ? 8 : std::countr_zero(none) / 8;
  if (count == 0) return 0;
  std::uint64_t digits = bytes - 0x3030303030303030;
  if (count < 8) digits <<= 8 * (8 - count);  // the first digit the most significant
  digits = digits * 10 + (digits >> 8);
  digits = ((digits & 0x000000FF000000FF) * (100 + (1000000ULL << 32)) +
            ((digits >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32))) >>
           32;
  value = static_cast<std::int64_t>(digits);
  return count;
}

// The value of the run of digits from `q`, 18 of them at most; `q` left
// after them.
std::int64_t DigitRun(const char*& q, const char* end) {
  const char* const first = q;
  std::int64_t value = 0;
  if (end - q >= 8) {
    const int count = EightDigits(q, value);
    q += count;
    if (count < 8) return value;
  }
  while (q < end && static_cast<unsigned char>(*q - '0') <= 9 && q - first < 18) {
    value = value * 10 + (*q++ - '0');
  }
  return value;
}

}  // namespace

// The whole part and the fraction are read as two runs of digits, eight
// at a time where the bytes are there, whose sums do not wait on each
// other.
bool ScanFixedDecimal(const char*& p, const char* end, FixedDecimal& value) {
  const char* q = p;
  const bool negative = q < end && *q == '-';
  if (q < end && (*q == '-' || *q == '+')) ++q;
  const char* const whole = q;
  const std::int64_t wholeValue = DigitRun(q, end);
  const auto wholeDigits = static_cast<int>(q - whole);
  int places = 0;
  std::int64_t fraction = 0;
  if (q < end && *q == '.') {
    const char* const first = ++q;
    fraction = DigitRun(q, end);
    places = static_cast<int>(q - first);
  }
  if (wholeDigits + places == 0 || wholeDigits + places > 18) return false;
  const std::int64_t mantissa =
      wholeValue * kPowersOfTen[static_cast<std::size_t>(places)] + fraction;
  value = {negative ? -mantissa : mantissa, places};
  p = q;
  return true;
}

std::optional<FixedDecimal> ParseFixedDecimal(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  FixedDecimal value;
  if (!ScanFixedDecimal(p, end, value) || p != end) return std::nullopt;
  return value;
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
