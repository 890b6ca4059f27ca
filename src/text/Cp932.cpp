#include "text/Cp932.h"

#include <array>

#include "text/AsciiRun.h"
#include "text/Cp932Tables.h"

namespace mif {

namespace {

// Cp932LeadIndex as one load, for the decode loop.
constexpr auto kLeadIndex = [] {
  std::array<std::int8_t, 256> index{};
  for (int byte = 0; byte < 256; ++byte) {
    index[byte] = static_cast<std::int8_t>(Cp932LeadIndex(static_cast<std::uint8_t>(byte)));
  }
  return index;
}();

}  // namespace

bool IsWellFormedCp932(std::string_view narrow, bool more) {
  const auto* in = reinterpret_cast<const unsigned char*>(narrow.data());
  const std::size_t count = narrow.size();
  for (std::size_t i = AsciiRunLength(in, count); i < count;) {
    const unsigned char byte = in[i];
    const int lead = kLeadIndex[byte];
    if (byte < 0x80) {
      i += 1;
    } else if (lead < 0) {
      if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD) return false;
      i += 1;
    } else if (i + 1 == count) {
      return more;
    } else {
      if (kCp932DoubleByte[lead][in[i + 1]] == 0) return false;
      i += 2;
    }
  }
  return true;
}

std::size_t DecodeCp932Into(std::string_view narrow, std::u16string& wide) {
  const auto* in = reinterpret_cast<const unsigned char*>(narrow.data());
  const std::size_t count = narrow.size();
  if (wide.size() < count) wide.resize(count);  // never more units than bytes
  char16_t* out = wide.data();
  std::size_t i = 0;
  while (i < count) {
    const std::size_t ascii = WidenAsciiRun(in + i, count - i, out);
    i += ascii;
    out += ascii;
    for (; i < count && in[i] >= 0x80; ++out) {
      const unsigned char byte = in[i];
      const int lead = kLeadIndex[byte];
      if (lead < 0) {
        *out = kCp932SingleByte[byte];
        i += 1;
      } else if (i + 1 == count || in[i + 1] == 0) {
        *out = kCp932DecodeReplacement;
        i += 1;
      } else {
        const char16_t unit = kCp932DoubleByte[lead][in[i + 1]];
        *out = unit != 0 ? unit : kCp932DecodeReplacement;
        i += 2;
      }
    }
  }
  return static_cast<std::size_t>(out - wide.data());
}

void DecodeCp932(std::string_view narrow, std::u16string& wide) {
  wide.resize(DecodeCp932Into(narrow, wide));
}

std::u16string DecodeCp932(std::string_view narrow) {
  std::u16string wide;
  DecodeCp932(narrow, wide);
  return wide;
}

std::size_t EncodeCp932Into(std::u16string_view wide, std::string& narrow) {
  const char16_t* in = wide.data();
  const std::size_t count = wide.size();
  if (narrow.size() < 2 * count) narrow.resize(2 * count);  // at most two bytes a unit
  auto* const start = reinterpret_cast<unsigned char*>(narrow.data());
  unsigned char* out = start;
  std::size_t i = 0;
  while (i < count) {
    const std::size_t ascii = NarrowAsciiRun(in + i, count - i, out);
    i += ascii;
    out += ascii;
    for (; i < count && in[i] >= 0x80; ++i) out = PutCp932(in[i], out);
  }
  return static_cast<std::size_t>(out - start);
}

void EncodeCp932(std::u16string_view wide, std::string& narrow) {
  narrow.resize(EncodeCp932Into(wide, narrow));
}

std::string EncodeCp932(std::u16string_view wide) {
  std::string narrow;
  EncodeCp932(wide, narrow);
  return narrow;
}

}  // namespace mif
