// The merge's sink: each output written to its temporary pair, cut back
// to its whole sources after a failure, and put in place at the end.
#pragma once

#include "merge/OutputPair.h"
#include "merge/OutputSink.h"

namespace mif {

class PairSink final : public OutputSink {
 public:
  explicit PairSink(DeviceMaker makeDevice) : makeDevice_(std::move(makeDevice)) {}
  ~PairSink() override { pair_.Discard(); }

  // Raises `error` again: a refused source ends the run.
  void Refuse(Exception& error, std::vector<std::u16string>& problems) override;
  // Raises EMergeError for a group the plan left undecided (an output
  // name given empty), and what opening the temporary files raises.
  void Begin(const OutputGroup& group, const std::string& name,
             const std::vector<std::string>& header, RunReport& run) override;
  TextLineFile& Mif() override { return pair_.Mif(); }
  TextLineFile& Mid() override { return pair_.Mid(); }
  void EndSource(bool last) override;
  void Rewind() override { pair_.Rewind(); }
  std::uint64_t Bytes() const override { return pair_.MarkedBytes(); }
  bool Writes(const std::string& fileName) const override { return pair_.Holds(fileName); }
  bool IsOutputFile(const FileIdentity& identity) const override {
    return pair_.IsOutputFile(identity);
  }
  void Commit() override;
  Abandoned Abandon(bool keepWhole) override;
  void Discard() noexcept override { pair_.Discard(); }

 private:
  const DeviceMaker makeDevice_;
  OutputPair pair_;
};

}  // namespace mif
