// Two sources of random headers (columns in random order, names in either
// case, double-byte names, types that meet or not, delimiters) and random
// rows, merged with --columns union or intersection. The output is read
// back here, apart from the merge's own code: every value of every source
// must stand under its column's name, quoted or not as its bytes need, and
// every column a source lacks must be empty.
#include <map>
#include <string>
#include <vector>

#include "FuzzFolder.h"
#include "FuzzInput.h"
#include "format/PlainRowSplit.h"
#include "merge/MergeRun.h"

namespace {

using mif::fuzz::Check;
using mif::fuzz::FuzzInput;

// ア is 83 41 and ヂ 83 61: one letter apart in their trail bytes.
const char* const kNames[] = {"ID", "id", "NAME", "Name", "KIND", "\x83\x41", "\x83\x61", "NOTE"};
const char* const kTypes[] = {"Integer",  "SmallInt", "LargeInt",     "Float",
                              "Char(10)", "Char(30)", "Decimal(8,2)", "Date"};
const char kDelimiters[] = {'\t', ',', ';', '|'};
const char kValueBytes[] = "ab1 ,;|\t";

// Names as MapInfo matches them: ASCII letters in either case, never a
// trail byte.
std::string Folded(const std::string& name) {
  std::string folded = name;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto byte = static_cast<unsigned char>(folded[i]);
    if ((byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0) {
      ++i;
    } else if (byte >= 'a' && byte <= 'z') {
      folded[i] = static_cast<char>(byte - 32);
    }
  }
  return folded;
}

// A value as a reader takes it: its quotes taken off, a doubled one kept.
std::string Logical(const std::string& value) {
  if (value.empty() || value.front() != '"') return value;
  std::string text;
  for (std::size_t i = 1; i + 1 < value.size(); ++i) {
    text += value[i];
    if (value[i] == '"') ++i;
  }
  return text;
}

struct Source {
  char delimiter = '\t';
  std::vector<std::string> names;              // as written
  std::vector<std::vector<std::string>> rows;  // values as written
};

Source MakeSource(FuzzInput& input) {
  Source source;
  source.delimiter = kDelimiters[input.Byte() % 4];
  const int columns = input.Byte() % 6;
  std::vector<std::string> folded;
  for (int c = 0; c < columns; ++c) {
    const std::string name = kNames[input.Byte() % 8];
    bool taken = false;
    for (const std::string& other : folded) taken = taken || other == Folded(name);
    if (taken) continue;
    folded.push_back(Folded(name));
    source.names.push_back(name);
  }
  const int rows = 1 + input.Byte() % 3;
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string> row;
    for (std::size_t c = 0; c < source.names.size(); ++c) {
      std::string text;
      for (int length = input.Byte() % 5; length > 0; --length) {
        text += kValueBytes[input.Byte() % (sizeof kValueBytes - 1)];
      }
      // Quoted, or bare where its bytes let it be.
      const bool quoted =
          (input.Byte() & 1) != 0 || text.find(source.delimiter) != std::string::npos;
      row.push_back(quoted ? "\"" + text + "\"" : text);
    }
    source.rows.push_back(row);
  }
  return source;
}

void WriteSource(const std::string& base, const Source& source, FuzzInput& input) {
  std::string mif = "Version 300\r\nCharset \"WindowsJapanese\"\r\nDelimiter \"";
  mif += source.delimiter;
  mif += "\"\r\nColumns " + std::to_string(source.names.size()) + "\r\n";
  for (const std::string& name : source.names) {
    mif += "  " + name + " " + kTypes[input.Byte() % 8] + "\r\n";
  }
  mif += "Data\r\n";
  std::string mid;
  for (const auto& row : source.rows) {
    mif += "Point 1 2\r\n";
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) mid += source.delimiter;
      mid += row[c];
    }
    mid += "\r\n";
  }
  mif::fuzz::Write(base + ".mif", mif);
  mif::fuzz::Write(base + ".mid", mid);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// The output's column names and delimiter, from its header.
void ReadHeader(const std::vector<std::string>& lines, std::vector<std::string>& names,
                char& delimiter) {
  delimiter = '\t';
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("Delimiter \"", 0) == 0) delimiter = lines[i][11];
    if (lines[i].rfind("COLUMNS ", 0) != 0) continue;
    const int count = std::stoi(lines[i].substr(8));
    for (int c = 1; c <= count; ++c) {
      const std::string& line = lines[i + static_cast<std::size_t>(c)];
      const std::size_t start = line.find_first_not_of(' ');
      names.push_back(line.substr(start, line.find(' ', start) - start));
    }
    return;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  mif::MergeOptions options;
  options.columns =
      (input.Byte() & 1) != 0 ? mif::ColumnsMode::Union : mif::ColumnsMode::Intersection;
  const Source sources[2] = {MakeSource(input), MakeSource(input)};
  WriteSource("1__P", sources[0], input);
  WriteSource("2__Q", sources[1], input);
  mif::fuzz::FolderRun run({"1__P", "2__Q"}, "out");
  mif::RunMerge(run, options);  // nothing here is refused: a throw aborts

  std::vector<std::string> names;
  char delimiter = '\t';
  ReadHeader(Lines(mif::fuzz::Read("out.mif")), names, delimiter);
  Check(!names.empty() && names[0] == "LAYER");
  const std::vector<std::string> rows = Lines(mif::fuzz::Read("out.mid"));
  std::size_t at = 0;
  for (int s = 0; s < 2; ++s) {
    const Source& source = sources[s];
    for (const auto& row : source.rows) {
      Check(at < rows.size());
      const std::vector<std::string> values = mif::testing::SplitRowBytes(rows[at++], delimiter);
      Check(values.size() == names.size());
      Check(values[0] == (s == 0 ? "\"P\"" : "\"Q\""));
      for (std::size_t o = 1; o < names.size(); ++o) {
        std::string expected;  // empty where the source lacks the column
        for (std::size_t c = 0; c < source.names.size(); ++c) {
          if (Folded(source.names[c]) == Folded(names[o])) expected = Logical(row[c]);
        }
        Check(Logical(values[o]) == expected);
      }
    }
  }
  Check(at == rows.size());
  return 0;
}
