#include "platform/PathDelimiters.h"

namespace mif {

std::string_view PathDelimiters() { return kWindowsPathDelimiters; }

}  // namespace mif
