// The output's header: the first source's, with the LAYER column in front
// and what shifts with it or with the other sources.
#pragma once

#include <string>
#include <vector>

#include "merge/OutputSchema.h"

namespace mif {

// The first source's header lines in code page 932, every line as read
// except: the column line and definitions, which become "COLUMNS n",
// "    LAYER char(w)" and the planned columns (a definition as read where
// its type stayed); Unique and Index, renumbered to the columns' places
// in the output, LAYER counted (and dropped when none is left); Version,
// the highest of the sources'; the CoordSys clause, on one line with the
// union of the Bounds when that differs; Charset, the one the sources
// declare (UTF-8 written as "WindowsJapanese"), added after Version where
// the first declares none; and a Delimiter of more than one byte, which a
// source without columns may declare, dropped.
std::vector<std::string> OutputHeaderLines(const OutputSchema& schema);

}  // namespace mif
