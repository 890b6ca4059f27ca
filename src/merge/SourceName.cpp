#include "merge/SourceName.h"

#include "format/LayerName.h"
#include "platform/PathText.h"
#include "text/Utf8.h"
#include "text/Utf8ToCp932.h"

namespace mif {

namespace {

std::string Cp932Of(const std::u16string& text, std::size_t& replaced) {
  std::string cp932;
  // Never refused: UTF-8 made from UTF-16 is well-formed.
  cp932.resize(*TranscodeUtf8ToCp932Into(EncodeUtf8(text), cp932, &replaced));
  return cp932;
}

}  // namespace

SourceName NameOfSource(const std::string& baseName) {
  const NameParts parts = DeriveNameParts(PathDisplay(baseName));
  SourceName name;
  name.layer = parts.layer;
  name.layerValue = Cp932Of(parts.layer, name.layerReplaced);
  name.tileValue = Cp932Of(parts.tile, name.tileReplaced);
  return name;
}

}  // namespace mif
