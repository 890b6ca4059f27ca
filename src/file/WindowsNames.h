// The rules Windows puts on file names, applied on every system: the run's
// outputs go to Windows users, and a set merged on Linux is often merged
// again there. Names are paths as PathText.h tells (UTF-8 or WTF-8); bytes
// that are no UTF-8 are taken as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mif {

// The name as NTFS compares names: every letter in its simple upper case
// (ASCII, Latin-1 and Latin Extended-A, Greek, Cyrillic, Roman numerals,
// circled and full-width letters: ｒｏａｄ and ＲＯＡＤ are one file).
std::string FoldedAsWindows(std::string_view name);

// Whether Windows takes the two names for one file.
bool SameNameOnWindows(std::string_view one, std::string_view other);

// Why Windows cannot hold `namePart` (a name without its folder) as a
// file's name, in Japanese: a device name (CON, PRN, AUX, NUL, COM1-COM9,
// LPT1-LPT9, in any case, with any extension: CON.mif is the console), a
// character among <>:"/\|?* or a control character, or a dot or a space
// at its end (which Windows drops). Nothing when it can.
std::optional<std::u16string> WindowsNameProblem(std::string_view namePart);

}  // namespace mif
