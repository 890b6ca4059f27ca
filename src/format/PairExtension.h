// The .mid beside a .mif: the extension in the .mif's letter case, as a
// writer of the pair names both (X.MIF and X.MID, x.mif and x.mid).
#pragma once

#include <string>

namespace mif {

// `mifExtension` (".mif" in any letter case) as the .mid's: its last
// letter made D, or d.
inline std::string MidExtensionOf(std::string mifExtension) {
  if (!mifExtension.empty()) mifExtension.back() = mifExtension.back() == 'F' ? 'D' : 'd';
  return mifExtension;
}

}  // namespace mif
