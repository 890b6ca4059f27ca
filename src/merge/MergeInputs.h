// What a run is given as it goes, read at fixed points, and what it tells
// back: the count once at the start; every source once in the first pass
// and again when it starts; the output name and then the UTF-8 option for
// every source, after SourceStarting.
#pragma once

#include <cstdint>
#include <string>

#include "merge/MergeError.h"
#include "merge/SourceEntry.h"
#include "merge/SourceReport.h"

namespace mif {

class MergeInputs {
 public:
  virtual ~MergeInputs() = default;
  virtual int SourceCount() = 0;
  // The source's directory and base name as parts, never split again from
  // an entry text, so a comma in a folder name stays where it is.
  virtual SourceParts Source(int index) = 0;
  virtual void SourceStarting(int index) = 0;
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
  // Source `index` is read in the first pass, before anything is written.
  virtual void SourceExamining(int index) { (void)index; }
  // Bytes of source files read so far in this run.
  virtual void BytesMerged(std::uint64_t total) { (void)total; }
  // Something the user of source `index` should know (Japanese): it
  // merged with a loss, or was given twice.
  virtual void Warning(int index, const SourceWarning& warning) {
    (void)index;
    (void)warning;
  }
  // Something the user of source `index` may want to know that loses
  // nothing (Japanese): it was read otherwise than it declares.
  virtual void Note(int index, const std::u16string& note) {
    (void)index;
    (void)note;
  }
  // Source `index` is done: merged (the check: looked at), left out or
  // refused, as `report` says. A source after a refusal is never done.
  virtual void SourceDone(int index, const SourceReport& report) {
    (void)index;
    (void)report;
  }
  // An output is done: whole, or cut back to its whole sources when the
  // run stopped at one of its sources.
  virtual void OutputDone(const OutputReport& report) { (void)report; }
};

}  // namespace mif
