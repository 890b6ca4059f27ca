// The merge run: every source of the list, in order, into one output pair.
#pragma once

#include <cstdint>
#include <string>

#include "merge/SourceEntry.h"

namespace mif {

// What a run is given, read at fixed points: the count once at the start;
// source i when it starts; the output name and then the option anew for
// every source, after SourceStarting(i).
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
  // Bytes of source files read so far in this run.
  virtual void BytesMerged(std::uint64_t total) { (void)total; }
};

class MergeContext;

// Where source `index` (0-based) stands in a run of `count`, as both front
// ends name it: "入力 2/5".
std::u16string SourcePlace(int index, int count);

// Reads every source once and protects its files in `context`, so that no
// output of the run can be one of its sources.
void ProtectRunSources(MergeInputs& inputs, int count, MergeContext& context);

// Source 0 creates the output pair and every later one appends. Before
// anything is written, every source is read once more so that an output
// that is one of the run's sources is refused (EMergeError). The first
// error ends the run; the output pair then holds exactly the sources
// before the failing one, whole.
void RunMerge(MergeInputs& inputs);
// The same in the caller's context, whose device maker opens every file.
void RunMerge(MergeInputs& inputs, MergeContext& context);

}  // namespace mif
