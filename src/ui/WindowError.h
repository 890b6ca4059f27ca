// A failure of the window itself: a window, a list entry or the clipboard
// that the system did not give. Shown in the error box like any other.
#pragma once

#include "text/Exception.h"

namespace mif {

class EWindowError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace mif
