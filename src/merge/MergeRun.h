// The merge run: every source of the list, in order, into one output pair.
#pragma once

#include <cstdint>
#include <string>

namespace mif {

// What a run is given, read at fixed points: the count once at the start;
// entry i when source i starts; the output name and then the option anew
// for every source, after SourceStarting(i).
class MergeInputs {
 public:
  virtual ~MergeInputs() = default;
  virtual int SourceCount() = 0;
  // A source entry: base name, ",", directory (see SourceEntry.h).
  virtual std::string Entry(int index) = 0;
  virtual void SourceStarting(int index) = 0;
  virtual std::string OutputName() = 0;
  virtual bool Utf8Option() = 0;
  // Bytes of source files read so far in this run.
  virtual void BytesMerged(std::uint64_t total) { (void)total; }
};

class MergeContext;

// Reads every entry once and protects its files in `context`, so that no
// output of the run can be one of its sources.
void ProtectRunSources(MergeInputs& inputs, int count, MergeContext& context);

// Source 0 creates the output pair and every later one appends. Before
// anything is written, every entry is read once more so that an output that
// is one of the run's sources is refused (EMergeError). The first error
// ends the run; what the sources before it wrote stays in the output.
void RunMerge(MergeInputs& inputs);

}  // namespace mif
