#include "format/MifHeader.h"

#include <charconv>

#include "format/HeaderWords.h"
#include "text/AsciiCase.h"
#include "text/Utf8ToCp932.h"

namespace mif {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimStart(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimStart(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Removes `keyword` (upper case) from the front of the trimmed line when it
// stands there as a whole word.
bool TakeKeyword(std::string_view& line, std::string_view keyword) {
  std::string_view text = TrimStart(line);
  if (text.size() < keyword.size()) return false;
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    if (AsciiUpper(text[i]) != keyword[i]) return false;
  }
  text.remove_prefix(keyword.size());
  if (!text.empty() && !IsBlank(text.front())) return false;
  line = TrimStart(text);
  return true;
}

// The keywords that end a CoordSys clause that goes on over several lines.
bool StartsClause(std::string_view line) {
  for (const std::string_view keyword :
       {"VERSION", "CHARSET", "DELIMITER", "UNIQUE", "INDEX", "COORDSYS", "TRANSFORM", "COLUMNS"}) {
    std::string_view rest = line;
    if (TakeKeyword(rest, keyword)) return true;
  }
  return IsDataLine(line);
}

// The one value of a Delimiter or Charset line, quoted or bare, or nothing.
std::optional<std::string> SingleValue(std::string_view text) {
  const std::vector<HeaderWord> words = SplitHeaderWords(text, " \t()");
  if (words.size() != 1) return std::nullopt;
  return std::string(words[0].text);
}

std::vector<int> ColumnNumbers(std::string_view text) {
  std::vector<int> numbers;
  for (const HeaderWord& word : SplitHeaderWords(text, " \t,")) {
    numbers.push_back(IntegerOf(word.text).value_or(0));
  }
  return numbers;
}

LineSpan At(std::size_t line) { return {static_cast<int>(line), 1}; }

std::string_view CharsetOf(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    std::string_view rest = line;
    int count = 0;
    if (IsColumnsLine(rest, count)) break;  // a column may be named Charset
    if (TakeKeyword(rest, "CHARSET")) return Trim(rest);
  }
  return {};
}

bool IsUtf8Charset(std::string_view value) {
  const std::optional<std::string> charset = SingleValue(value);
  return charset &&
         (EqualsIgnoringAsciiCase(*charset, "UTF-8") || EqualsIgnoringAsciiCase(*charset, "UTF8"));
}

// The clause lines before the column line: keywords and their values.
void NoteClause(MifHeader& header, std::size_t i, bool& inCoordSys) {
  std::string_view line = header.lines[i];
  if (inCoordSys && !StartsClause(line)) {
    header.coordSys.append(" ").append(line);
    ++header.coordSysLines.count;
    return;
  }
  inCoordSys = false;
  if (TakeKeyword(line, "VERSION")) {
    header.version = IntegerOf(Trim(line)).value_or(-1);
    header.versionLine = At(i);
  } else if (TakeKeyword(line, "CHARSET")) {
    if (const auto value = SingleValue(line)) header.charset = *value;
    header.charsetLine = At(i);
  } else if (TakeKeyword(line, "DELIMITER")) {
    if (const auto value = SingleValue(line)) header.delimiter = *value;
    header.delimiterLine = At(i);
  } else if (TakeKeyword(line, "UNIQUE")) {
    header.unique = ColumnNumbers(line);
    header.uniqueLine = At(i);
  } else if (TakeKeyword(line, "INDEX")) {
    header.index = ColumnNumbers(line);
    header.indexLine = At(i);
  } else if (TakeKeyword(line, "COORDSYS")) {
    header.coordSys = std::string(line);
    header.coordSysLines = At(i);
    inCoordSys = true;
  } else if (TakeKeyword(line, "TRANSFORM")) {
    header.transform = std::string(line);
    header.transformLine = At(i);
  }
}

void ConvertFromUtf8(std::vector<std::string>& lines, MifHeader& header) {
  std::string converted;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Utf8Losses losses;
    std::size_t consumed = 0;
    const std::size_t length =
        TranscodeUtf8ToCp932Lossy(lines[i], false, converted, consumed, losses);
    const auto line = static_cast<std::int64_t>(i) + 1;
    header.unmapped.Add(static_cast<std::int64_t>(losses.unmapped), line);
    header.malformed.Add(static_cast<std::int64_t>(losses.malformed), line);
    lines[i].assign(converted, 0, length);
  }
}

}  // namespace

bool IsDataLine(std::string_view line) { return EqualsIgnoringAsciiCase(Trim(line), "DATA"); }

bool IsColumnsLine(std::string_view line, int& count) {
  if (!TakeKeyword(line, "COLUMNS")) return false;
  const std::string_view digits = Trim(line);
  int value = -1;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  count = error == std::errc() && end == digits.data() + digits.size() && value >= 0 ? value : -1;
  return true;
}

MifHeader ParseMifHeader(std::vector<std::string> lines, bool utf8Text) {
  MifHeader header;
  header.utf8 = utf8Text || IsUtf8Charset(CharsetOf(lines));
  if (header.utf8) ConvertFromUtf8(lines, header);
  header.lines = std::move(lines);
  bool inCoordSys = false;
  int definitionsToCome = 0;
  for (std::size_t i = 0; i + 1 < header.lines.size(); ++i) {
    int count = -1;
    if (definitionsToCome > 0) {  // a column may be named Delimiter or Columns
      header.columns.push_back(ParseColumnDef(header.lines[i]));
      --definitionsToCome;
    } else if (!header.columnLine.Declared() && IsColumnsLine(header.lines[i], count)) {
      header.columnLine = At(i);
      header.columnCount = count;
      definitionsToCome = std::min(std::max(count, 0), kMaxColumns);
      inCoordSys = false;
    } else if (!header.columnLine.Declared()) {
      NoteClause(header, i, inCoordSys);
    }
  }
  return header;
}

std::shared_ptr<const MifHeader> HeaderMemo::Parse(std::vector<std::string> lines, bool utf8Text) {
  if (header_ && utf8Text == utf8Text_ && lines == lines_) return header_;
  std::size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size();
  // A header of megabytes is no tile set's: kept twice, it would only cost.
  if (bytes > kMaxKeptBytes) {
    lines_.clear();
    header_.reset();
    return std::make_shared<const MifHeader>(ParseMifHeader(std::move(lines), utf8Text));
  }
  lines_ = lines;
  utf8Text_ = utf8Text;
  header_ = std::make_shared<const MifHeader>(ParseMifHeader(std::move(lines), utf8Text));
  return header_;
}

std::string MergedCharset(const MifHeader& header) {
  return header.utf8 ? "WindowsJapanese" : header.charset;
}

}  // namespace mif
