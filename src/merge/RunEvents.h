// What a run tells as it goes, to the front end that shows it: a source
// examined, started and done, the bytes read, a warning or a note, an
// output done. Every call is made on the run's thread.
#pragma once

#include <cstdint>
#include <string>

#include "merge/SourceReport.h"

namespace mif {

class RunEvents {
 public:
  virtual ~RunEvents() = default;
  // Source `index` is read in the first pass, before anything is written.
  virtual void SourceExamining(int index) { (void)index; }
  // Source `index` is merged (the check: looked at) next.
  virtual void SourceStarting(int index) = 0;
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
