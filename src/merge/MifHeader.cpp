#include "MifHeader.h"

#include <charconv>

#include "Exception.h"
#include "TextLineFile.h"

namespace mif {

namespace {

constexpr std::int32_t kReadPastEnd = 100;

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

// The text of a leading "quoted" value, for Delimiter and Charset.
bool QuotedValue(std::string_view text, std::string& value) {
  if (text.size() < 2 || text.front() != '"') return false;
  const std::size_t close = text.find('"', 1);
  if (close == std::string_view::npos) return false;
  value = std::string(text.substr(1, close - 1));
  return true;
}

void NoteLine(MifHeader& header, std::string_view line) {
  int count = -1;
  std::string value;
  if (header.columnLine < 0 && IsColumnsLine(line, count)) {
    header.columnLine = static_cast<int>(header.lines.size());
    header.columnCount = count;
  } else if (header.columnLine >= 0) {
    return;  // column definitions: a column may be named Delimiter
  } else if (TakeKeyword(line, "DELIMITER") && QuotedValue(line, value) && value.size() == 1) {
    header.delimiter = value[0];
  } else if (TakeKeyword(line, "CHARSET") && QuotedValue(line, value)) {
    header.charset = value;
  }
}

}  // namespace

bool IsDataLine(std::string_view line) {
  const std::string_view text = Trim(line);
  return text.size() == 4 && Upper(text[0]) == 'D' && Upper(text[1]) == 'A' &&
         Upper(text[2]) == 'T' && Upper(text[3]) == 'A';
}

bool IsColumnsLine(std::string_view line, int& count) {
  if (!TakeKeyword(line, "COLUMNS")) return false;
  const std::string_view digits = Trim(line);
  int value = -1;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  count = error == std::errc() && end == digits.data() + digits.size() && value >= 0 ? value : -1;
  return true;
}

MifHeader ReadMifHeader(TextLineFile& file) {
  MifHeader header;
  std::size_t bytes = 0;
  std::string line;
  while (!file.AtEndOfFile()) {
    file.ReadLine(line);
    bytes += line.size() + 2;
    if (bytes > kMaxHeaderBytes) break;
    NoteLine(header, line);
    header.lines.push_back(line);
    if (IsDataLine(line)) return header;
  }
  throw EInOutError(kReadPastEnd, file.Name());
}

std::vector<std::string> HeaderWithLayerColumn(const MifHeader& header) {
  std::vector<std::string> lines;
  lines.reserve(header.lines.size() + 1);
  for (int i = 0; i < static_cast<int>(header.lines.size()); ++i) {
    if (i != header.columnLine) {
      lines.push_back(header.lines[i]);
      continue;
    }
    const int count = header.columnCount >= 0 ? header.columnCount + 1 : 2;
    lines.push_back("COLUMNS " + std::to_string(count));
    lines.push_back("    LAYER char(40)");
  }
  return lines;
}

}  // namespace mif
