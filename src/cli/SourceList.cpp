#include "cli/SourceList.h"

#include "file/TextLineFile.h"
#include "merge/MergeError.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

namespace mif {

namespace {

// Far longer than any path a system takes.
constexpr std::size_t kMaxListLine = 64 * 1024;

std::vector<std::string> ReadListLines(const std::string& listPath) {
  TextLineFile list(listPath, 64 * 1024);
  list.OpenForRead();
  std::vector<std::string> lines;
  std::string_view line;
  bool whole = true;
  while (list.NextLinePiece(line, whole, kMaxListLine)) {
    if (!whole) {
      throw EMergeError(u"リストの行が長すぎます (" +
                        DecodeCp932(std::to_string(lines.size() + 1)) + u" 行目): " +
                        DecodeCp932(listPath));
    }
    if (!line.empty()) lines.emplace_back(line);
  }
  list.CloseFile();
  return lines;
}

}  // namespace

void AddListedSources(const std::string& cp932ListPath, std::vector<std::string>& sources) {
  std::vector<std::string> lines = ReadListLines(cp932ListPath);
  if (!lines.empty() && lines.front().rfind("\xEF\xBB\xBF", 0) == 0) lines.front().erase(0, 3);
  bool utf8 = true;
  for (const std::string& line : lines) utf8 = utf8 && DecodeUtf8(line).has_value();
  for (std::string& line : lines) {
    if (line.empty()) continue;
    sources.push_back(utf8 ? std::move(line) : EncodeUtf8(DecodeCp932(line)));
  }
}

}  // namespace mif
