#include "merge/SourceEntry.h"

#include "file/FileName.h"
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
  parts.directory = ExtractDirectoryPart(mifName, delimiters);
  const std::size_t stem = name.size() >= 4 ? name.size() - 4 : 0;
  if (name.size() >= 4 && EqualsIgnoringAsciiCase(std::string_view(name).substr(stem), ".mif")) {
    parts.baseName = name.substr(0, stem);
    parts.mifExtension = name.substr(stem);
  } else {
    parts.baseName = name;
  }
  return parts;
}

SourceParts SplitSourceEntry(std::string_view entry, std::string_view delimiters) {
  const std::size_t delimiter = FindFirstDelimiter(entry, delimiters);
  const std::string_view front = entry.substr(0, delimiter);
  const std::size_t comma = front.rfind(',');
  if (comma == std::string_view::npos) return {std::string(entry), std::string()};
  return {std::string(entry.substr(0, comma)), std::string(entry.substr(comma + 1))};
}

}  // namespace mif
