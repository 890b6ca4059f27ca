// The charset a source's text is read in: the one its header declares, or,
// where it declares "Neutral" or none, the one its text shows. GDAL's MIF
// writer declares Neutral and writes UTF-8; translators of old declare
// nothing and write code page 932.
#pragma once

#include <cstdint>
#include <string>

#include "format/MifHeader.h"

namespace mif {

class SourceReader;

enum class TextCharset : std::uint8_t {
  Declared,  // as the header says
  Utf8,      // UTF-8 sequences, every byte well formed: converted whole
  Cp932,     // bytes that are no UTF-8: code page 932, as it stands
  Ascii,     // no byte from 0x80 up: the same in either
};

// Where a file's text shows each kind of line first (1-based; 0: none).
struct LineKinds {
  std::int64_t utf8 = 0, other = 0;
};

// What the first pass read of a source whose header leaves its charset to
// the text.
struct CharsetReading {
  TextCharset read = TextCharset::Declared;
  // The .mif's header and objects apart: --utf8 converts the objects' UTF-8
  // lines of a code page 932 file, as it was made to.
  LineKinds header, objects, mid;
};

// Whether any line of the source holds a UTF-8 sequence.
inline bool HoldsUtf8Lines(const CharsetReading& reading) {
  return reading.header.utf8 > 0 || reading.objects.utf8 > 0 || reading.mid.utf8 > 0;
}

// Whether the header leaves the charset to the text: "Neutral", or none.
bool CharsetFromText(const MifHeader& header);

// Reads the rest of the .mif, its header read, and the whole .mid, and
// closes both: UTF-8 when some line holds a UTF-8 sequence and none a
// byte that is no UTF-8. Raises what the files raise, and EMergeError for
// text after a Ctrl-Z, as the copy would.
CharsetReading ReadCharsetFromText(SourceReader& reader);

// A line of each kind in a source read as code page 932 (the objects'
// UTF-8 lines aside under --utf8, which converts them): the warning's
// text, or empty.
std::u16string MixedTextWarning(const CharsetReading& reading, const std::string& mifName,
                                const std::string& midName, bool utf8Option);

// What a file declares of its charset, to begin a sentence: "Charset
// "Neutral" と宣言し", or that it declares none.
std::u16string DeclaredCharsetText(const std::string& charset);
// The note for a source read as UTF-8 for its text, naming what it declares.
std::u16string Utf8TextNote(const MifHeader& header, const std::string& mifName);

// How the source was read, for the check and the report: "UTF-8 (text)",
// "WindowsJapanese (declared)", "ASCII (text)", "none (declared)"...
std::string CharsetReadText(const MifHeader& header, TextCharset read);

}  // namespace mif
