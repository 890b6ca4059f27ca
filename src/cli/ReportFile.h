// The report of a run for scripts (--report FILE): one JSON document, in
// UTF-8, written as the run goes under a temporary name beside FILE and put
// in place when it ends, also when it fails; the README tells its fields.
// Each source's entry is written as it is done, so that a run of any size
// holds none of them.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "format/MeshCoverage.h"
#include "merge/SourceReport.h"
#include "text/Exception.h"

namespace mif {

class TextLineFile;

class ReportFile {
 public:
  // Opens the temporary file; raises EInOutError when it cannot.
  ReportFile(const std::string& path, const CommandLine& line, const std::string& output);
  ~ReportFile();
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // `path` is the source's .mif as it was given.
  void Source(int index, const std::string& path, const SourceReport& report);
  void NotReached(int index, const std::string& path);
  void Output(const OutputReport& report);
  // The set's tiles on the mesh grid, written at the end.
  void Coverage(std::shared_ptr<const MeshCoverage> coverage) { coverage_ = std::move(coverage); }
  // Ends the document with the exit status and the error, if any, and puts
  // it in place. Raises EInOutError when that fails.
  void Finish(int exitStatus, const Exception* error, const std::u16string& errorText);

 private:
  void Write(std::string_view text);
  void WriteSource(const std::string& entry);
  void WriteMeshes();
  void WriteCodes(const char* name, const std::vector<MeshKey>& keys);
  const std::string& ColumnsText(const SourceReport& report);

  std::string path_, temporary_;
  std::unique_ptr<TextLineFile> file_;
  std::vector<std::string> outputs_;  // few: kept until the end
  // A tile set's sources mostly share their columns: the last ones told,
  // and their JSON text.
  std::vector<ColumnReport> lastColumns_;
  bool lastPlanned_ = false;
  std::string lastColumnsText_;
  bool firstSource_ = true;
  bool mesh_;
  std::shared_ptr<const MeshCoverage> coverage_;
};

}  // namespace mif
