// UTF-8 decoding and the straight UTF-8 to code page 932 transcoder over
// arbitrary bytes, against a plain decoder written from the Unicode
// standard's table of well-formed sequences.
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzInput.h"
#include "text/Cp932.h"
#include "text/JisSpellings.h"
#include "text/Utf8.h"
#include "text/Utf8ToCp932.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::optional<std::u16string> ReferenceDecode(std::string_view utf8) {
  std::u16string wide;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const unsigned b0 = byte(i);
    int length;
    unsigned low = 0x80, high = 0xBF, code;
    if (b0 < 0x80) {
      length = 1, code = b0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2, code = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3, code = b0 & 0x0F;
      if (b0 == 0xE0) low = 0xA0;
      if (b0 == 0xED) high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4, code = b0 & 0x07;
      if (b0 == 0xF0) low = 0x90;
      if (b0 == 0xF4) high = 0x8F;
    } else {
      return std::nullopt;
    }
    if (i + length > utf8.size()) return std::nullopt;
    for (int k = 1; k < length; ++k) {
      const unsigned b = byte(i + k);
      if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF)) return std::nullopt;
      code = code << 6 | (b & 0x3F);
    }
    if (code >= 0x10000) {
      wide += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      wide += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<char16_t>(code);
    }
    i += length;
  }
  return wide;
}

}  // namespace

// What the transcoder writes: the codec's bytes for the JIS spellings'
// Windows code points.
std::string ExpectedCp932(const std::u16string& text) {
  return mif::EncodeCp932(mif::testing::WindowsSpellings(text));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mif::fuzz::FuzzInput input(data, size);
  const std::string_view utf8 = input.Rest();
  const std::optional<std::u16string> expected = ReferenceDecode(utf8);
  const std::optional<std::u16string> decoded = mif::DecodeUtf8(utf8);
  Check(decoded == expected);
  std::u16string reused = u"left over";
  Check(mif::DecodeUtf8(utf8, reused) == expected.has_value());
  if (expected) Check(reused == *expected);

  std::u16string grown(utf8.size() + 3, u'x');
  const std::optional<std::size_t> length = mif::DecodeUtf8Into(utf8, grown);
  Check(length.has_value() == expected.has_value() && grown.size() == utf8.size() + 3);
  if (expected) Check(*length == expected->size() && grown.compare(0, *length, *expected) == 0);
  std::string grownNarrow;
  const std::optional<std::size_t> narrowLength = mif::TranscodeUtf8ToCp932Into(utf8, grownNarrow);
  Check(narrowLength.has_value() == expected.has_value());
  if (expected) Check(grownNarrow.substr(0, *narrowLength) == ExpectedCp932(*expected));

  std::string cp932 = "left over";
  Check(mif::TranscodeUtf8ToCp932(utf8, cp932) == expected.has_value());
  if (expected) {
    Check(cp932 == ExpectedCp932(*expected));
    Check(mif::EncodeUtf8(*expected) == utf8);  // well-formed UTF-8 comes back whole
  }
  return 0;
}
