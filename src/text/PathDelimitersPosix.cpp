#include "PathDelimiters.h"

namespace mif {

std::string_view PathDelimiters() { return kPosixPathDelimiters; }

}  // namespace mif
