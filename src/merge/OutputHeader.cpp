#include "merge/OutputHeader.h"

#include "text/AsciiCase.h"

namespace mif {

namespace {

int AddedCount(const OutputSchema& schema) { return schema.added.tile.empty() ? 1 : 2; }

// The 1-based place in the output of the first source's column `number`
// (1-based, its own added ones counted), or 0 when it is not in the output.
int OutputPlace(const OutputSchema& schema, int number) {
  const std::vector<ColumnDef>& columns = schema.first->columns;
  if (number < 1 || number > static_cast<int>(columns.size())) return 0;
  if (number <= schema.firstOwn) return number;  // the added columns it brings
  const std::string& name = columns[static_cast<std::size_t>(number - 1)].name;
  for (std::size_t j = 0; j < schema.columns.size(); ++j) {
    if (SameColumnName(schema.columns[j].name, name)) {
      return static_cast<int>(j) + 1 + AddedCount(schema);
    }
  }
  return 0;
}

// "Unique 2,3" for the places of the columns that are left, or nothing.
void AddColumnNumbers(const OutputSchema& schema, const std::string& keyword,
                      const std::vector<int>& numbers, std::vector<std::string>& lines) {
  std::string line;
  for (const int number : numbers) {
    if (const int place = OutputPlace(schema, number)) {
      line += (line.empty() ? keyword + " " : ",") + std::to_string(place);
    }
  }
  if (!line.empty()) lines.push_back(line);
}

// An added column's definition, as the layer's always was written.
std::string AddedLine(const std::string& name, int width) {
  return "    " + ColumnNameText(name) + " char(" + std::to_string(width) + ")";
}

void AddColumns(const OutputSchema& schema, std::vector<std::string>& lines) {
  const int added = AddedCount(schema);
  lines.push_back("COLUMNS " + std::to_string(schema.columns.size() + added));
  lines.push_back(AddedLine(schema.added.layer, schema.layerWidth));
  if (added == 2) lines.push_back(AddedLine(schema.added.tile, schema.tileWidth));
  for (const ColumnDef& column : schema.columns) lines.push_back(ColumnDefLine(column));
}

void AddCoordSys(const OutputSchema& schema, std::vector<std::string>& lines) {
  const MifHeader& first = *schema.first;
  const std::optional<Bounds> declared = BoundsOf(first.coordSys);
  if (declared == schema.bounds) {
    const LineSpan span = first.coordSysLines;
    lines.insert(lines.end(), first.lines.begin() + span.first,
                 first.lines.begin() + span.first + span.count);
  } else {
    lines.push_back("CoordSys " + WithBounds(first.coordSys, schema.bounds));
  }
}

std::string CharsetLine(const OutputSchema& schema) { return "Charset \"" + schema.charset + "\""; }

bool IsAt(const LineSpan& span, int i) { return span.Declared() && span.first == i; }

bool Inside(const LineSpan& span, int i) {
  return span.Declared() && i >= span.first && i < span.first + span.count;
}

}  // namespace

std::vector<std::string> OutputHeaderLines(const OutputSchema& schema) {
  const MifHeader& first = *schema.first;
  std::vector<std::string> lines;
  if (!first.versionLine.Declared() && schema.version >= 0) {
    lines.push_back("Version " + std::to_string(schema.version));
  }
  // A charset that later sources declare where the first declares none.
  const bool addCharset = !first.charsetLine.Declared() && !schema.charset.empty();
  if (addCharset && !first.versionLine.Declared()) lines.push_back(CharsetLine(schema));
  const LineSpan definitions{first.columnLine.first + 1, static_cast<int>(first.columns.size())};
  for (int i = 0; i < static_cast<int>(first.lines.size()); ++i) {
    const std::string& line = first.lines[static_cast<std::size_t>(i)];
    if (IsAt(first.versionLine, i)) {
      lines.push_back(
          first.version == schema.version ? line : "Version " + std::to_string(schema.version));
      if (addCharset) lines.push_back(CharsetLine(schema));
    } else if (IsAt(first.charsetLine, i)) {
      const bool same = EqualsIgnoringAsciiCase(first.charset, schema.charset) ||
                        (schema.charset.empty() && IsNeutralCharset(first.charset));
      lines.push_back(same ? line : CharsetLine(schema));
    } else if (IsAt(first.delimiterLine, i)) {
      // A delimiter of no use to anything (its source had no columns) is
      // not the output's: TAB, the default, is.
      if (first.delimiter.size() == 1) lines.push_back(line);
    } else if (IsAt(first.uniqueLine, i)) {
      AddColumnNumbers(schema, "Unique", first.unique, lines);
    } else if (IsAt(first.indexLine, i)) {
      AddColumnNumbers(schema, "Index", first.index, lines);
    } else if (IsAt(first.coordSysLines, i)) {
      AddCoordSys(schema, lines);
    } else if (IsAt(first.columnLine, i)) {
      AddColumns(schema, lines);
    } else if (!Inside(first.coordSysLines, i) && !Inside(definitions, i)) {
      lines.push_back(line);
    }
  }
  return lines;
}

}  // namespace mif
