// The code page 932 codec over arbitrary bytes and UTF-16 units: no crash,
// outputs within their size bounds, the reusing overloads equal to the
// plain ones, and every run of round-trip codes coming back unchanged.
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "text/Cp932.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The characters of `narrow` as the decoder takes them: a lead byte with
// the byte after it, unless that is missing or zero.
template <typename Each>
void ForEachCharacter(std::string_view narrow, Each each) {
  for (std::size_t i = 0; i < narrow.size();) {
    const bool pair = mif::LeadByteSet(static_cast<unsigned char>(narrow[i])) &&
                      i + 1 < narrow.size() && narrow[i + 1] != '\0';
    const std::size_t length = pair ? 2 : 1;
    each(narrow.substr(i, length));
    i += length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mif::fuzz::FuzzInput input(data, size);
  const std::string_view narrow = input.Rest();

  const std::u16string wide = mif::DecodeCp932(narrow);
  Check(wide.size() <= narrow.size());
  std::u16string reused = u"left over from before";
  mif::DecodeCp932(narrow, reused);
  Check(reused == wide);
  std::u16string grown(narrow.size() + 7, u'x');  // longer than any result: never shrinks
  Check(mif::DecodeCp932Into(narrow, grown) == wide.size() &&
        grown.compare(0, wide.size(), wide) == 0 && grown.size() == narrow.size() + 7);

  // The same bytes taken as UTF-16 units, for the encoder.
  std::u16string units(narrow.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(narrow[2 * i]) |
                                     static_cast<unsigned char>(narrow[2 * i + 1]) << 8);
  }
  const std::string encoded = mif::EncodeCp932(units);
  Check(encoded.size() <= 2 * units.size());
  std::string reusedNarrow = "left over";
  mif::EncodeCp932(units, reusedNarrow);
  Check(reusedNarrow == encoded);
  std::string grownNarrow;
  Check(mif::EncodeCp932Into(units, grownNarrow) == encoded.size() &&
        grownNarrow.compare(0, encoded.size(), encoded) == 0);

  std::string roundTrip;
  ForEachCharacter(narrow, [&](std::string_view character) {
    if (mif::EncodeCp932(mif::DecodeCp932(character)) == character) roundTrip += character;
  });
  Check(mif::EncodeCp932(mif::DecodeCp932(roundTrip)) == roundTrip);
  return 0;
}
