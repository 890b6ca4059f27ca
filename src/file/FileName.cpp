#include "file/FileName.h"

#include "text/MbcsText.h"

namespace mif {

int FindLastDelimiter(std::string_view delimiters, std::string_view text) {
  int i = static_cast<int>(text.size());
  while (i > 0) {
    const char byte = text[static_cast<std::size_t>(i - 1)];
    if (byte == 0 || delimiters.find(byte) == std::string_view::npos) {
      i -= 1;
    } else if (ClassifyByte(text, i) == ByteClass::Trail) {
      i -= 2;
    } else {
      return i;
    }
  }
  return 0;
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
