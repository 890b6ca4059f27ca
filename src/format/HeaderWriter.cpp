#include "format/HeaderWriter.h"

#include "text/AsciiCase.h"

namespace mif {

namespace {

// The 1-based place in the new header of the header's column `number`
// (1-based, its own added ones counted), or 0 when it is not there.
int NewPlace(const MifHeader& header, const HeaderChanges& changes, int number) {
  const std::vector<ColumnDef>& columns = header.columns;
  if (number < 1 || number > static_cast<int>(columns.size())) return 0;
  if (number <= changes.ownAdded) return number;  // the added columns it brings
  const std::string& name = columns[static_cast<std::size_t>(number - 1)].name;
  for (std::size_t j = 0; j < changes.columns.size(); ++j) {
    if (SameColumnName(changes.columns[j].name, name)) {
      return static_cast<int>(j + 1 + changes.added.size());
    }
  }
  return 0;
}

// "Unique 2,3" for the places of the columns that are left, or nothing.
void AddColumnNumbers(const MifHeader& header, const HeaderChanges& changes,
                      const std::string& keyword, const std::vector<int>& numbers,
                      std::vector<std::string>& lines) {
  std::string line;
  for (const int number : numbers) {
    if (const int place = NewPlace(header, changes, number)) {
      line += (line.empty() ? keyword + " " : ",") + std::to_string(place);
    }
  }
  if (!line.empty()) lines.push_back(line);
}

void AddColumns(const HeaderChanges& changes, std::vector<std::string>& lines) {
  lines.push_back("COLUMNS " + std::to_string(changes.columns.size() + changes.added.size()));
  for (const AddedColumn& added : changes.added) {
    lines.push_back("    " + ColumnNameText(added.name) + " char(" + std::to_string(added.width) +
                    ")");
  }
  for (const ColumnDef& column : changes.columns) lines.push_back(ColumnDefLine(column));
}

void AddCoordSys(const MifHeader& header, const HeaderChanges& changes,
                 std::vector<std::string>& lines) {
  const std::optional<Bounds> declared = BoundsOf(header.coordSys);
  if (declared == changes.bounds) {
    const LineSpan span = header.coordSysLines;
    lines.insert(lines.end(), header.lines.begin() + span.first,
                 header.lines.begin() + span.first + span.count);
  } else {
    lines.push_back("CoordSys " + WithBounds(header.coordSys, changes.bounds));
  }
}

std::string CharsetLine(const HeaderChanges& changes) {
  return "Charset \"" + changes.charset + "\"";
}

bool IsAt(const LineSpan& span, int i) { return span.Declared() && span.first == i; }

bool Inside(const LineSpan& span, int i) {
  return span.Declared() && i >= span.first && i < span.first + span.count;
}

}  // namespace

std::vector<std::string> RewrittenHeaderLines(const MifHeader& header,
                                              const HeaderChanges& changes) {
  std::vector<std::string> lines;
  if (!header.versionLine.Declared() && changes.version >= 0) {
    lines.push_back("Version " + std::to_string(changes.version));
  }
  const bool addCharset = !header.charsetLine.Declared() && !changes.charset.empty();
  if (addCharset && !header.versionLine.Declared()) lines.push_back(CharsetLine(changes));
  const LineSpan definitions{header.columnLine.first + 1, static_cast<int>(header.columns.size())};
  for (int i = 0; i < static_cast<int>(header.lines.size()); ++i) {
    const std::string& line = header.lines[static_cast<std::size_t>(i)];
    if (IsAt(header.versionLine, i)) {
      lines.push_back(
          header.version == changes.version ? line : "Version " + std::to_string(changes.version));
      if (addCharset) lines.push_back(CharsetLine(changes));
    } else if (IsAt(header.charsetLine, i)) {
      const bool same =
          changes.charset.empty() || EqualsIgnoringAsciiCase(header.charset, changes.charset);
      lines.push_back(same ? line : CharsetLine(changes));
    } else if (IsAt(header.delimiterLine, i)) {
      // A delimiter of no use to anything (its header had no columns) is
      // not the new one's: TAB, the default, is.
      if (header.delimiter.size() == 1) lines.push_back(line);
    } else if (IsAt(header.uniqueLine, i)) {
      AddColumnNumbers(header, changes, "Unique", header.unique, lines);
    } else if (IsAt(header.indexLine, i)) {
      AddColumnNumbers(header, changes, "Index", header.index, lines);
    } else if (IsAt(header.coordSysLines, i)) {
      AddCoordSys(header, changes, lines);
    } else if (IsAt(header.columnLine, i)) {
      AddColumns(changes, lines);
    } else if (!Inside(header.coordSysLines, i) && !Inside(definitions, i)) {
      lines.push_back(line);
    }
  }
  return lines;
}

}  // namespace mif
