// What a POSIX stat tells, as the file facts of the seams.
#pragma once

#include <sys/stat.h>

#include "platform/FileDevice.h"

namespace mif {

FileFacts FactsOf(const struct stat& status);

}  // namespace mif
