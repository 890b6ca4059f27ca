// The program's console: its arguments, as paths are held (PathText.h),
// and its standard streams, in UTF-8 on every platform.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace mif {

// The arguments after the program's name: on POSIX the bytes given, on
// Windows the wide command line in WTF-8, whatever `argv` holds.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard output and error, taking UTF-8. On Windows a console is written
// in UTF-16 (WriteConsoleW), so Japanese shows whatever its code page; a
// file or pipe gets the UTF-8 bytes.
std::ostream& StandardOutput();
std::ostream& StandardError();

// Whether standard error is a terminal, where a progress line can be drawn.
bool StandardErrorIsTerminal();
// Whether that terminal takes escape sequences (erase to the end of the
// line); a progress line is otherwise cleared with spaces.
bool StandardErrorTakesEscapes();

}  // namespace mif
