// Where a run writes its outputs, one at a time: the merge's pair of
// temporary files put in place at the end (PairSink), or the check's,
// which keeps nothing (CheckSink). The run takes every step the same way
// into either; the sink alone decides what a refusal does to the run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "merge/OutputGroup.h"
#include "merge/SourceReport.h"
#include "platform/FileDevice.h"

namespace mif {

class Exception;
class TextLineFile;

// What an abandoned output holds.
enum class Abandoned : std::uint8_t {
  Nothing,    // the sink keeps nothing: nothing to tell
  Unchanged,  // the output as it was before the run
  Whole,      // the sources whole at the last EndSource, put in place
};

class OutputSink {
 public:
  virtual ~OutputSink() = default;

  // A refusal the run met, called while `error` is being handled: the
  // merge's sink raises it again (an output cannot hold a refused source);
  // the check's notes it in `problems`, once, and the run goes on.
  virtual void Refuse(Exception& error, std::vector<std::u16string>& problems) = 0;

  // Begins the output `name` of `group`, whose files the plan decided,
  // with its header lines. A problem the sink can go on past goes into `run`.
  virtual void Begin(const OutputGroup& group, const std::string& name,
                     const std::vector<std::string>& header, RunReport& run) = 0;
  virtual TextLineFile& Mif() = 0;
  virtual TextLineFile& Mid() = 0;
  // The source's bytes are written out (with `last`, the output's last:
  // closed, on the device); a later failure cuts back to here.
  virtual void EndSource(bool last) = 0;
  // The bytes since the last EndSource taken back out, to be written again.
  virtual void Rewind() = 0;
  // The bytes up to the last EndSource.
  virtual std::uint64_t Bytes() const = 0;
  // Whether `fileName` is one of the files the sink writes to.
  virtual bool Writes(const std::string& fileName) const = 0;
  // Whether a file of that identity is one of the open output's files now.
  virtual bool IsOutputFile(const FileIdentity& identity) const = 0;

  // Puts the output in place. An EInOutError leaves the previous output as
  // it was; any other error, its .mif replaced and its .mid not (it says so).
  virtual void Commit() = 0;
  // After an error: with `keepWhole`, the sources whole at the last
  // EndSource put in place; otherwise the output left as it was. A cut or
  // a commit that fails raises, the output then left as it was.
  virtual Abandoned Abandon(bool keepWhole) = 0;
  // Leaves the output as it was; never raises.
  virtual void Discard() noexcept = 0;
};

}  // namespace mif
