#include "cli/SourceList.h"

#include "file/InOutError.h"
#include "merge/MergeError.h"
#include "platform/FileDevice.h"
#include "platform/PathText.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

namespace mif {

namespace {

// Far longer than any path a system takes.
constexpr std::size_t kMaxListLine = 64 * 1024;
// Far more than a list of every file of a disk.
constexpr std::size_t kMaxListBytes = 256 * 1024 * 1024;

std::u16string Digits(std::size_t value) { return DecodeCp932(std::to_string(value)); }

// The list's bytes, whole: a UTF-16 list cannot be read as lines of bytes.
std::string ReadListBytes(const std::string& listPath) {
  const std::unique_ptr<FileDevice> device = MakeSystemFileDevice();
  FileFacts facts;
  std::int32_t code = device->Open(listPath, FileOpenMode::Read, facts);
  std::string bytes;
  char buffer[64 * 1024];
  for (std::size_t count = 1; code == 0 && count > 0;) {
    code = device->Fill(buffer, sizeof buffer, count);
    bytes.append(buffer, count);
    if (bytes.size() > kMaxListBytes) {
      throw EMergeError(u"リストが大きすぎます (" + Digits(kMaxListBytes >> 20) + u" MiB まで)",
                        listPath);
    }
  }
  device->Close();
  if (code != 0) throw EInOutError(code, listPath);
  return bytes;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The text of a UTF-16 list after its byte order mark, in UTF-8.
std::string Utf16ToUtf8(std::string_view bytes) {
  const bool bigEndian = StartsWith(bytes, "\xFE\xFF");
  std::u16string wide;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    wide += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  return EncodeUtf8(wide);
}

// Lines end at LF, CR LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text, const std::string& listPath) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    if (end > kMaxListLine) {
      throw EMergeError(u"リストの行が長すぎます (" + Digits(lines.size() + 1) + u" 行目)",
                        listPath);
    }
    lines.push_back(text.substr(0, end));
    text.remove_prefix(std::min(text.size(), end + (text.substr(end, 2) == "\r\n" ? 2 : 1)));
  }
  return lines;
}

// Each line of the list, empty ones too, decoded, with its number from 1.
void ForEachListedLine(const std::string& listPath,
                       const std::function<void(const std::u16string&, std::size_t)>& take) {
  std::string text = ReadListBytes(listPath);
  if (StartsWith(text, "\xFF\xFE") || StartsWith(text, "\xFE\xFF")) {
    text = Utf16ToUtf8(text);
  } else if (StartsWith(text, "\xEF\xBB\xBF")) {
    text.erase(0, 3);
  }
  const std::vector<std::string_view> lines = SplitLines(text, listPath);
  bool utf8 = true;
  for (const std::string_view line : lines) utf8 = utf8 && DecodeUtf8(line).has_value();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    take(utf8 ? *DecodeUtf8(lines[i]) : DecodeCp932(lines[i]), i + 1);
  }
}

}  // namespace

void AddListedSources(const std::string& listPath,
                      const std::function<void(const std::string&)>& add) {
  ForEachListedLine(listPath, [&](const std::u16string& line, std::size_t) {
    if (!line.empty()) add(PathFromText(line));
  });
}

std::vector<MeshKey> ReadExpectedMeshes(const std::string& listPath) {
  std::vector<MeshKey> meshes;
  ForEachListedLine(listPath, [&](const std::u16string& line, std::size_t number) {
    const std::size_t begin = line.find_first_not_of(u" \t");
    if (begin == std::u16string::npos) return;
    const std::u16string code = line.substr(begin, line.find_last_not_of(u" \t") + 1 - begin);
    std::string digits;
    for (const char16_t c : code) digits += c < 0x80 ? static_cast<char>(c) : '?';
    const std::optional<MeshCell> cell = ParseMeshCode(digits);
    if (!cell) {
      throw EMergeError(
          u"メッシュコードではありません (" + Digits(number) + u" 行目: 「" + code + u"」)",
          listPath);
    }
    meshes.push_back(KeyOf(*cell));
  });
  return meshes;
}

}  // namespace mif
