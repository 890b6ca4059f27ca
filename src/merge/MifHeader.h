// What the merge reads from a .mif header: the header lines up to and
// including DATA, the column line, the column count, the delimiter.
// Keywords are recognised as MIF readers recognise them: in any case,
// after optional blanks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mif {

class TextLineFile;

// A header grown past this many bytes is taken as a file without DATA.
inline constexpr std::size_t kMaxHeaderBytes = 16 * 1024 * 1024;

struct MifHeader {
  std::vector<std::string> lines;  // as read, the DATA line last
  int columnLine = -1;             // index into lines; -1 when there is none
  int columnCount = -1;            // -1 when there is no readable count
  char delimiter = '\t';           // the MIF default
  std::string charset;             // empty when not declared
};

// Whether the line is "DATA" in any case, blanks around it ignored.
bool IsDataLine(std::string_view line);
// Whether the line begins with "COLUMNS" in any case after blanks, followed
// by a blank or the end. Gives the count, or -1 when it cannot be read.
bool IsColumnsLine(std::string_view line, int& count);

// Reads the header from the file's current position through the DATA line.
// Raises EInOutError 100 when the file ends first or the header grows past
// kMaxHeaderBytes, and whatever the file raises.
MifHeader ReadMifHeader(TextLineFile& file);

// The header for the output: the column line replaced by "COLUMNS n+1" (or
// "COLUMNS 2" when n cannot be read) and "    LAYER char(40)".
std::vector<std::string> HeaderWithLayerColumn(const MifHeader& header);

}  // namespace mif
