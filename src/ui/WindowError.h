// A failure of the window itself: a window, a list entry or the clipboard
// that the system did not give. Shown in the error box like any other.
#pragma once

#include <string>

#include "text/Exception.h"

namespace mif {

class EWindowError : public Exception {
 public:
  using Exception::Exception;
};

// A place the list or the run's copy of it does not hold.
inline EWindowError ListIndexError(int index) {
  const std::string digits = std::to_string(index);
  return EWindowError(u"リストのインデックスが範囲を超えています (" +
                      std::u16string(digits.begin(), digits.end()) + u")");
}

}  // namespace mif
