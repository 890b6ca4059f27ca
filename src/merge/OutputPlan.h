// Every file the run writes, decided before any is written: each output's
// name from the name given, its .mif and .mid and their temporary files,
// and the report beside them. A name that is a source's file (by
// identity), another output's or the report's (as Windows folds names), a
// name Windows cannot hold, or one too long for its file system is
// refused here, so that a refusal leaves every file as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "merge/MergeOptions.h"
#include "merge/OutputGroup.h"
#include "merge/OutputSink.h"
#include "merge/RunFacts.h"
#include "merge/RunPlan.h"
#include "merge/SourceIdentities.h"
#include "merge/SourceReport.h"

namespace mif {

// A file the front end writes beside the outputs: the report, the coverage
// picture. Nothing where `path` is empty.
struct SideFile {
  const char* option;  // that names it: "--report"
  const std::string& path;
  ErrorPlace::Kind place;
};

class OutputPlan {
 public:
  // `sourceMif` gives a source's .mif, which refusals name; `count` is the
  // run's sources; `sink` the one the run writes to, which raises a
  // refusal or notes it.
  OutputPlan(const MergeOptions& options, OutputSink& sink, int count,
             const SourceIdentities& sources, std::function<std::string(int)> sourceMif);

  // Refuses a file the front end writes beside the outputs (EMergeError
  // placed at it) that is a folder or one of a source's files.
  void RefuseSideFileAt(const SideFile& file) const;
  // Decides each group's output from the plan's output name as given
  // (empty: no output, the check's without one). Each refusal is placed at
  // its output and handed to the sink with `run.outputProblems`. A pair an
  // earlier run left half put in place is noted in `run.outputNotes`.
  void Decide(RunPlan& plan, RunReport& run) const;
  // Refuses a side file that is one of the decided outputs' files.
  void RefuseSideFileAmong(const OutputGroups& groups, const SideFile& file) const;

 private:
  void RefuseWindowsName(const OutputGroup& group, const std::string& outputName) const;
  void RefuseSources(const OutputTarget& target) const;
  using FoldedNames = std::unordered_multimap<std::uint64_t, int>;  // hash -> group
  void RefuseSameFile(const OutputGroups& groups, FoldedNames& byFoldedName, int g) const;

  const MergeOptions& options_;
  OutputSink& sink_;
  const int count_;
  const SourceIdentities& sources_;
  const std::function<std::string(int)> sourceMif_;
};

}  // namespace mif
