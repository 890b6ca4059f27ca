// What a run is given as it goes, read at fixed points: the count once at
// the start; every source once in the first pass and again when it starts;
// the output name and then the UTF-8 option for every source, after
// SourceStarting. The front end that gives them hears the run's events.
#pragma once

#include <string>

#include "merge/MergeError.h"
#include "merge/RunEvents.h"
#include "merge/SourceEntry.h"

namespace mif {

class MergeInputs : public RunEvents {
 public:
  virtual int SourceCount() = 0;
  // The source's directory and base name as parts, never split again from
  // an entry text, so a comma in a folder name stays where it is.
  virtual SourceParts Source(int index) = 0;
  // Whether the user took source `index` out of the run since it began (the
  // window's Delete), asked after SourceExamining and after SourceStarting:
  // it is left out, unless it is merged already.
  virtual bool Withdrawn(int index) {
    (void)index;
    return false;
  }
  // The output name must stay what it was at the first source: another
  // ends the run.
  virtual std::string OutputName() = 0;
  virtual bool Utf8Option() = 0;
  // Asked when the first source's columns cannot take another source's
  // (`problem` says how): true merges with all columns together (union),
  // false refuses the run with `problem`.
  virtual bool MergeAllColumns(const EColumnsError& problem) {
    (void)problem;
    return false;
  }
};

}  // namespace mif
