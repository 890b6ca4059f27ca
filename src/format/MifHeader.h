// The header of a .mif file, read through its DATA line, and what it
// declares: version, charset, delimiter, unique and indexed columns, the
// CoordSys clause with its Bounds, Transform, and the column definitions.
// Keywords are read as MIF readers read them: in any case, after optional
// blanks, values quoted or bare.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/ColumnDef.h"
#include "format/CoordSys.h"
#include "format/Tally.h"

namespace mif {

// A header grown past this many bytes is taken as a file without DATA.
inline constexpr std::size_t kMaxHeaderBytes = 8 * 1024 * 1024;
// A longer header line is refused; real ones are a few hundred bytes.
inline constexpr std::size_t kMaxHeaderLine = 1024 * 1024;
// Far beyond any real table; keeps the output's count from overflowing.
inline constexpr int kMaxColumns = 32766;

// Where a clause stands among the lines: the first and how many.
struct LineSpan {
  int first = -1;  // -1: not declared
  int count = 0;
  bool Declared() const { return first >= 0; }
};

struct MifHeader {
  // As read, the DATA line last; converted to code page 932 when the
  // header declares UTF-8.
  std::vector<std::string> lines;
  // Charset "UTF-8", or a text found to be UTF-8: its objects and rows are
  // converted.
  bool utf8 = false;
  // Characters of a UTF-8 header written as '?': well-formed ones that
  // code page 932 lacks, and byte sequences that are no UTF-8.
  Tally unmapped, malformed;

  int version = -1;  // -1: not declared
  LineSpan versionLine;
  std::string charset;  // as declared; empty when not
  LineSpan charsetLine;
  std::string delimiter = "\t";  // as declared; the MIF default is TAB
  LineSpan delimiterLine;
  std::vector<int> unique, index;  // 1-based column numbers as declared
  LineSpan uniqueLine, indexLine;
  std::string coordSys;  // after the keyword, its lines joined by blanks
  LineSpan coordSysLines;
  std::string transform;  // after the keyword
  LineSpan transformLine;

  LineSpan columnLine;
  int columnCount = -1;  // -1 when there is no readable count
  // The definitions after the column line: as many as it counts, fewer
  // when DATA comes first.
  std::vector<ColumnDef> columns;
};

// Whether the line is "DATA" in any case, blanks around it ignored.
bool IsDataLine(std::string_view line);
// Whether the line begins with "COLUMNS" in any case after blanks, followed
// by a blank or the end. Gives the count, or -1 when it cannot be read.
bool IsColumnsLine(std::string_view line, int& count);

// Parses header lines as read, the DATA line last. A header that declares
// UTF-8, or with `utf8Text` one whose text was found to be, is converted,
// each malformed sequence written as '?'.
MifHeader ParseMifHeader(std::vector<std::string> lines, bool utf8Text = false);

// ParseMifHeader that gives the header it gave last again, shared, when
// the same lines come again: a tile set repeats one header thousands of
// times, and each is read twice. Headers over kMaxKeptBytes are not kept.
class HeaderMemo {
 public:
  static constexpr std::size_t kMaxKeptBytes = 64 * 1024;
  std::shared_ptr<const MifHeader> Parse(std::vector<std::string> lines, bool utf8Text = false);

 private:
  std::vector<std::string> lines_;  // as read, before any conversion
  bool utf8Text_ = false;
  std::shared_ptr<const MifHeader> header_;
};

// The effective charset of the header's text once merged: a UTF-8 header
// is converted to code page 932, "WindowsJapanese".
std::string MergedCharset(const MifHeader& header);

}  // namespace mif
