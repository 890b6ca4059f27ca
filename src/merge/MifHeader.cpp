#include "merge/MifHeader.h"

#include <charconv>

#include "file/TextLineFile.h"
#include "merge/MergeError.h"
#include "text/MbcsText.h"
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

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Removes `keyword` (upper case) from the front of the trimmed line when it
// stands there as a whole word.
bool TakeKeyword(std::string_view& line, std::string_view keyword) {
  std::string_view text = TrimStart(line);
  if (text.size() < keyword.size()) return false;
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    if (Upper(text[i]) != keyword[i]) return false;
  }
  text.remove_prefix(keyword.size());
  if (!text.empty() && !IsBlank(text.front())) return false;
  line = TrimStart(text);
  return true;
}

bool IsSeparator(char c) { return IsBlank(c) || c == '(' || c == ')'; }

// The value of a Delimiter or Charset line as MIF readers take it: the one
// word after the keyword, words split at blanks and parentheses, a quoted
// word whole and without its quotes. False when there is not exactly one.
bool SingleValue(std::string_view text, std::string& value) {
  int words = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsSeparator(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    if (text[i] == '"') {
      end = text.find('"', i + 1);
      if (end == std::string_view::npos) end = text.size();
      value = std::string(text.substr(i + 1, end - i - 1));
      ++end;
    } else {
      while (end < text.size() && !IsSeparator(text[end])) ++end;
      value = std::string(text.substr(i, end - i));
    }
    ++words;
    i = end;
  }
  return words == 1;
}

void NoteLine(MifHeader& header, std::string_view line) {
  int count = -1;
  std::string value;
  if (header.columnLine < 0 && IsColumnsLine(line, count)) {
    header.columnLine = static_cast<int>(header.lines.size());
    header.columnCount = count;
  } else if (header.columnLine >= 0) {
    return;  // column definitions: a column may be named Delimiter
  } else if (TakeKeyword(line, "DELIMITER")) {
    if (SingleValue(line, value)) header.delimiter = value;
  } else if (TakeKeyword(line, "CHARSET") && SingleValue(line, value)) {
    header.charset = value;
    header.charsetLine = static_cast<int>(header.lines.size());
  }
}

std::string ToCp932(const std::string& line) {
  std::string converted;
  return TranscodeUtf8ToCp932(line, converted) ? converted : line;
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

bool DeclaresUtf8(const MifHeader& header) {
  return EqualsIgnoringAsciiCase(header.charset, "UTF-8") ||
         EqualsIgnoringAsciiCase(header.charset, "UTF8");
}

MifHeader ReadMifHeader(TextLineFile& file) {
  MifHeader header;
  std::size_t bytes = 0;
  std::string_view line;
  bool whole = true;
  while (file.NextLinePiece(line, whole, kMaxHeaderLine)) {
    if (!whole) throw HeaderLineTooLongError(file.Name(), header.lines.size() + 1);
    bytes += line.size() + 2;
    if (bytes > kMaxHeaderBytes) break;
    NoteLine(header, line);
    header.lines.emplace_back(line);
    if (IsDataLine(line)) return header;
  }
  throw NoDataLineError(file.Name());
}

std::vector<std::string> HeaderWithLayerColumn(const MifHeader& header) {
  const bool utf8 = DeclaresUtf8(header);
  std::vector<std::string> lines;
  lines.reserve(header.lines.size() + 1);
  for (int i = 0; i < static_cast<int>(header.lines.size()); ++i) {
    if (i == header.columnLine) {
      const int count = header.columnCount >= 0 ? header.columnCount + 1 : 2;
      lines.push_back("COLUMNS " + std::to_string(count));
      lines.push_back("    LAYER char(40)");
    } else if (utf8 && i == header.charsetLine) {
      lines.push_back("Charset \"WindowsJapanese\"");
    } else {
      lines.push_back(utf8 ? ToCp932(header.lines[i]) : header.lines[i]);
    }
  }
  return lines;
}

}  // namespace mif
