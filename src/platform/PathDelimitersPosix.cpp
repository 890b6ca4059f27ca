#include "platform/PathDelimiters.h"

namespace mif {

std::string_view PathDelimiters() { return kPosixPathDelimiters; }

}  // namespace mif
