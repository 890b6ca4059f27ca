#include "merge/SourceEntry.h"

#include "file/FileName.h"
#include "text/AsciiCase.h"

namespace mif {

std::string MakeSourceEntry(std::string_view mifName, std::string_view delimiters) {
  const std::string baseName =
      ChangeFileExtension(ExtractNamePart(mifName, delimiters), "", delimiters);
  return baseName + "," + ExtractDirectoryPart(mifName, delimiters);
}

SourceParts MakeSourceParts(std::string_view mifName, std::string_view delimiters) {
  const std::string name = ExtractNamePart(mifName, delimiters);
  SourceParts parts;
  parts.directory = ExtractDirectoryPart(mifName, delimiters);
  if (EndsWithIgnoringAsciiCase(name, ".mif")) {
    parts.baseName = name.substr(0, name.size() - 4);
    parts.mifExtension = name.substr(name.size() - 4);
  } else {
    parts.baseName = name;
  }
  return parts;
}

std::string MifPath(const SourceParts& parts) {
  return parts.directory + parts.baseName +
         (parts.mifExtension.empty() ? std::string(".mif") : parts.mifExtension);
}

}  // namespace mif
