#include "platform/PosixName.h"

#include "text/Cp932.h"
#include "text/Utf8.h"

namespace mif {

bool ToPosixName(const std::string& cp932Name, std::string& utf8Name) {
  if (cp932Name.find('\0') != std::string::npos) return false;
  const std::u16string wide = DecodeCp932(cp932Name);
  if (EncodeCp932(wide) != cp932Name) return false;
  utf8Name = EncodeUtf8(wide);
  return true;
}

}  // namespace mif
