// The options of mifjoin, parsed GNU style: options and sources in any
// order, "--" ends the options, -oFILE, --output=FILE and --output FILE.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "merge/OutputSchema.h"

namespace mif {

struct CommandLine {
  bool utf8 = false;
  bool quiet = false;
  bool check = false;
  bool help = false;
  bool version = false;
  bool perLayer = false;                     // --per-layer
  bool recursive = false;                    // -r, --recursive
  bool skipDuplicates = false;               // --skip-duplicates
  bool mesh = false;                         // --mesh
  std::int64_t meshAllowance = 100;          // --mesh-allowance, in hundredths of a percent
  ColumnsMode columns = ColumnsMode::First;  // --columns union | intersection
  // --layer-column and --tile-column, code page 932; no tile column when
  // it is empty.
  AddedColumns added;
  // Paths as the system gives them (PathText.h).
  std::string output;
  std::string report;                  // --report
  std::string expected;                // --expected
  std::string coverage;                // --coverage
  std::vector<std::string> listFiles;  // --from-list, in order
  std::vector<std::string> sources;
};

struct CommandLineError {
  std::string message;  // UTF-8, for the usage text
};

// Parses the arguments after the program name. Gives the error for an
// unknown option, a missing value, or a run with no output or no sources.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments,
                                            CommandLineError& error);

// The usage text, UTF-8.
const char* UsageText();

}  // namespace mif
