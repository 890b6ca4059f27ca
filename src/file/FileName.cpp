#include "file/FileName.h"

namespace mif {

int FindLastDelimiter(std::string_view delimiters, std::string_view text) {
  const std::size_t at = text.find_last_of(delimiters);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string ChangeFileExtension(std::string_view name, std::string_view extension,
                                std::string_view delimiters) {
  std::string withDot(".");
  withDot += delimiters;
  const int i = FindLastDelimiter(withDot, name);
  std::string result(name.substr(0, i > 0 && name[i - 1] == '.' ? i - 1 : name.size()));
  result += extension;
  return result;
}

std::string ExtractDirectoryPart(std::string_view name, std::string_view delimiters) {
  return std::string(name.substr(0, static_cast<std::size_t>(FindLastDelimiter(delimiters, name))));
}

std::string ExtractNamePart(std::string_view name, std::string_view delimiters) {
  return std::string(name.substr(static_cast<std::size_t>(FindLastDelimiter(delimiters, name))));
}

}  // namespace mif
