// The check's sink, which keeps nothing: every output decision made (its
// temporary files are made and removed again) and every byte written to
// files that keep none, so that the check reads and copies each source as
// the merge does. A refusal is noted and the check goes on.
#pragma once

#include "merge/OutputPair.h"
#include "merge/OutputSink.h"

namespace mif {

class CheckSink final : public OutputSink {
 public:
  explicit CheckSink(DeviceMaker makeDevice) : makeDevice_(std::move(makeDevice)) {}

  // Notes the error's text in `problems`, once: the first pass and the
  // copy may find the same.
  void Refuse(Exception& error, std::vector<std::u16string>& problems) override;
  // A temporary file that cannot be made is noted in `run.outputProblems`.
  void Begin(const OutputGroup& group, const std::string& name,
             const std::vector<std::string>& header, RunReport& run) override;
  TextLineFile& Mif() override { return pair_.Mif(); }
  TextLineFile& Mid() override { return pair_.Mid(); }
  void EndSource(bool last) override;
  void Rewind() override { pair_.Rewind(); }
  std::uint64_t Bytes() const override { return pair_.MarkedBytes(); }
  bool Writes(const std::string& fileName) const override;
  bool IsOutputFile(const FileIdentity& identity) const override {
    return pair_.IsOutputFile(identity);
  }
  void Commit() override { pair_.Discard(); }
  Abandoned Abandon(bool keepWhole) override;
  void Discard() noexcept override { pair_.Discard(); }

 private:
  void TryTemporaryFiles(const OutputTarget& target) const;

  const DeviceMaker makeDevice_;
  OutputPair pair_;
};

}  // namespace mif
