// What the merge reads from a .mif header: the header lines up to and
// including DATA, the column line, the column count, the delimiter and the
// charset. Keywords are recognised as MIF readers recognise them: in any
// case, after optional blanks, with a value quoted or bare.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mif {

class TextLineFile;

// A header grown past this many bytes is taken as a file without DATA.
inline constexpr std::size_t kMaxHeaderBytes = 8 * 1024 * 1024;
// A longer header line is refused; real ones are a few hundred bytes.
inline constexpr std::size_t kMaxHeaderLine = 1024 * 1024;
// Far beyond any real table; keeps the output's count from overflowing.
inline constexpr int kMaxColumns = 32766;

struct MifHeader {
  std::vector<std::string> lines;  // as read, the DATA line last
  int columnLine = -1;             // index into lines; -1 when there is none
  int columnCount = -1;            // -1 when there is no readable count
  std::string delimiter = "\t";    // as declared; the MIF default is TAB
  int charsetLine = -1;            // index into lines; -1 when not declared
  std::string charset;             // empty when not declared
};

// Whether the line is "DATA" in any case, blanks around it ignored.
bool IsDataLine(std::string_view line);
// Whether the line begins with "COLUMNS" in any case after blanks, followed
// by a blank or the end. Gives the count, or -1 when it cannot be read.
bool IsColumnsLine(std::string_view line, int& count);
// Whether the header declares its text UTF-8 (Charset "UTF-8").
bool DeclaresUtf8(const MifHeader& header);

// Reads the header from the file's current position through the DATA line.
// Raises EMergeError when the file ends first, the header grows past
// kMaxHeaderBytes or a line past kMaxHeaderLine, and whatever the file
// raises.
MifHeader ReadMifHeader(TextLineFile& file);

// The header for the output, in code page 932: the column line replaced by
// "COLUMNS n+1" and "    LAYER char(40)". A UTF-8 header is converted and
// declares Charset "WindowsJapanese" instead.
std::vector<std::string> HeaderWithLayerColumn(const MifHeader& header);

}  // namespace mif
