// The second pass of a run: the plan's groups in order, each group's
// sources copied into the sink in list order and its output put in place
// before the next group begins.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "format/TransverseMercator.h"
#include "merge/PointsBehind.h"
#include "merge/RunContext.h"
#include "merge/RunPlan.h"
#include "merge/SourceCopy.h"
#include "merge/SourceTexts.h"

namespace mif {

class MeshCheck;

class RunExecution {
 public:
  RunExecution(RunContext& run, SourceTexts& texts);
  ~RunExecution();

  // Raises the first refusal, placed, where the sink raises refusals.
  void Execute(RunPlan plan);
  // After an error: the whole sources of the group it stopped in put in
  // place (with `keepWholeSources`; after a stop, not), or that output
  // left as it was; the outputs done before stay, none after is written.
  // Gives what the outputs hold, to tell; nothing where the sink keeps
  // nothing.
  std::u16string Abandon(bool keepWholeSources);

 private:
  OutputGroup& Current() { return plan_.groups[static_cast<std::size_t>(current_)]; }
  const OutputGroup& Current() const { return plan_.groups[static_cast<std::size_t>(current_)]; }
  ErrorPlace OutputPlace() const;

  void MergeGroup(int g);
  void OpenGroup();
  void MergeSource(int index);
  void RefuseOutputNameChange();
  SourceReport StartReport(int index, const SourceReader& reader);
  void Tell(int index, const SourceReport& report);
  void Copy(int index, const SourceParts& parts, SourceReader& reader, bool utf8,
            SourceReport& report);
  CopyResult CopyAs(int index, const SourceParts& parts, SourceReader& reader, bool utf8,
                    bool trial, SourceReport& report);
  SourceLayout LayoutOf(int index, const MifHeader& header, const SourceReader& reader,
                        SourceReport& report);
  void Conclude(int index, const SourceParts& parts, const SourceReader& reader,
                const MifHeader& header, const SourceLayout& layout, const CopyResult& result,
                bool utf8, SourceReport& report);
  static bool PlacesPoints(const MifHeader& header, std::optional<TransverseMercator>& projection);
  // A tile's points against its mesh, read behind the copy; its source is
  // told once they are, after the next source's copy, so that the two
  // overlap.
  struct TileCheck;
  struct PendingSource {
    int index;
    SourceReport report;
    std::unique_ptr<TileCheck> check;
  };
  void TellPending();
  void TellMesh(int index, const TileCheck& check, SourceReport& report);
  void FinishGroup();
  void PutInPlace();
  std::u16string StateText(const std::u16string& stopped) const;
  std::u16string UnchangedOutput() const;

  RunContext& run_;
  SourceTexts& texts_;
  RunPlan plan_;
  int current_ = -1;  // the group being merged
  int opened_ = -1;   // the group whose output is open
  std::vector<int> completed_;
  OutputReport report_;          // of the group being merged
  bool meshNotChecked_ = false;  // told once a run
  PointsBehind pointsBehind_;
  std::unique_ptr<TileCheck> copied_;  // of the source just copied
  std::optional<PendingSource> pending_;
};

}  // namespace mif
