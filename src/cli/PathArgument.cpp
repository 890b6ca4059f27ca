#include "cli/PathArgument.h"

#include "text/Cp932.h"
#include "text/Utf8.h"

namespace mif {

bool PathToCp932(const std::string& utf8Path, std::string& cp932Path) {
  const std::optional<std::u16string> wide = DecodeUtf8(utf8Path);
  if (!wide || wide->find(u'\0') != std::u16string::npos) return false;
  cp932Path = EncodeCp932(*wide);
  return DecodeCp932(cp932Path) == *wide;  // best fits and '?' do not count
}

std::string Cp932ToUtf8(const std::string& cp932) { return EncodeUtf8(DecodeCp932(cp932)); }

}  // namespace mif
