// The merge run: every source of the list, in order, into one output pair.
#pragma once

#include <cstdint>
#include <string>

#include "merge/MergeError.h"
#include "merge/OutputSchema.h"
#include "merge/SourceEntry.h"

namespace mif {

// What a run is given, read at fixed points: the count and the columns
// option once at the start; every source once in the first pass; source i
// again when it starts; the output name and then the option anew for every
// source, after SourceStarting(i).
class MergeInputs {
 public:
  virtual ~MergeInputs() = default;
  virtual int SourceCount() = 0;
  // The source's directory and base name as parts, never split again from
  // an entry text, so a comma in a folder name stays where it is.
  virtual SourceParts Source(int index) = 0;
  virtual void SourceStarting(int index) = 0;
  virtual std::string OutputName() = 0;
  virtual bool Utf8Option() = 0;
  // How sources whose columns differ are merged.
  virtual ColumnsMode ColumnsOption() { return ColumnsMode::First; }
  // Asked when the first source's columns cannot take another source's
  // (`problem` says how): true merges with all columns together (union),
  // false refuses the run with `problem`.
  virtual bool MergeAllColumns(const EColumnsError& problem) {
    (void)problem;
    return false;
  }
  // Source `index` is read in the first pass, before anything is written.
  virtual void SourceExamining(int index) { (void)index; }
  // Bytes of source files read so far in this run.
  virtual void BytesMerged(std::uint64_t total) { (void)total; }
  // A source merged with something its user should know (Japanese).
  virtual void Warning(const std::u16string& text) { (void)text; }
};

class MergeContext;

// The first pass: reads every source's header and finds its .mid, writing
// nothing, and plans the output into `context`. Raises the first source's
// refusal; columns that the first source's cannot take are refused unless
// the inputs choose another mode or merging all columns.
void PlanRun(MergeInputs& inputs, int count, MergeContext& context);

// Plans the run, then merges: source 0 creates the output pair and every
// later one appends. The first error ends the run; the output pair then
// holds exactly the sources before the failing one, whole, and a refusal
// of the first pass leaves it untouched.
void RunMerge(MergeInputs& inputs);
// The same in the caller's context, whose device maker opens every file.
void RunMerge(MergeInputs& inputs, MergeContext& context);

}  // namespace mif
