#include "merge/SourceEntry.h"

#include "file/FileName.h"
#include "platform/FileSystem.h"
#include "text/Cp932.h"
#include "text/MbcsText.h"

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

SourceParts MakeSourceParts(std::string_view mifName, std::string_view delimiters) {
  const std::string name = ExtractNamePart(mifName, delimiters);
  SourceParts parts;
  parts.baseName = ChangeFileExtension(name, "", delimiters);
  parts.directory = ExtractDirectoryPart(mifName, delimiters);
  const std::string extension = name.substr(parts.baseName.size());
  if (EqualsIgnoringAsciiCase(extension, ".mif")) parts.mifExtension = extension;
  return parts;
}

SourceParts SplitSourceEntry(std::string_view entry, std::string_view delimiters) {
  const std::size_t delimiter = FindFirstDelimiter(entry, delimiters);
  const std::string_view front = entry.substr(0, delimiter);
  const std::size_t comma = front.rfind(',');
  if (comma == std::string_view::npos) return {std::string(entry), std::string()};
  return {std::string(entry.substr(0, comma)), std::string(entry.substr(comma + 1))};
}

SourcePairNames SourcePairFileNames(std::string_view directory, std::string_view baseName,
                                    std::string_view mifExtension) {
  std::string stem(directory);
  stem += baseName;
  if (mifExtension.empty()) mifExtension = ".mif";
  std::string midExtension(mifExtension);
  midExtension.back() = midExtension.back() == 'F' ? 'D' : 'd';  // .MIF -> .MID
  std::string mid = stem + midExtension;
  if (!FileExists(mid)) mid = FindExtensionCaseVariant(stem + ".mid");
  return {FindExtensionCaseVariant(stem + std::string(mifExtension)), mid};
}

}  // namespace mif
