#include "SourceEntry.h"

#include "Cp932.h"
#include "FileName.h"
#include "FileSystem.h"

namespace mif {

namespace {

// 0-based offset of the first delimiter that is no trail byte, or npos.
std::size_t FindFirstDelimiter(std::string_view text, std::string_view delimiters) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (delimiters.find(text[i]) != std::string_view::npos) return i;
    if (LeadByteSet(static_cast<unsigned char>(text[i]))) ++i;
  }
  return std::string_view::npos;
}

}  // namespace

std::string MakeSourceEntry(std::string_view mifName, std::string_view delimiters) {
  const std::string baseName =
      ChangeFileExtension(ExtractNamePart(mifName, delimiters), "", delimiters);
  return baseName + "," + ExtractDirectoryPart(mifName, delimiters);
}

SourceParts SplitSourceEntry(std::string_view entry, std::string_view delimiters) {
  const std::size_t delimiter = FindFirstDelimiter(entry, delimiters);
  const std::string_view front = entry.substr(0, delimiter);
  const std::size_t comma = front.rfind(',');
  if (comma == std::string_view::npos) return {std::string(entry), std::string()};
  return {std::string(entry.substr(0, comma)), std::string(entry.substr(comma + 1))};
}

SourcePairNames SourcePairFileNames(std::string_view directory, std::string_view baseName) {
  std::string stem(directory);
  stem += baseName;
  return {FindExtensionCaseVariant(stem + ".mif"), FindExtensionCaseVariant(stem + ".mid")};
}

}  // namespace mif
