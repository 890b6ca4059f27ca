#include "merge/OutputPlan.h"

#include <unordered_map>

#include "file/FileName.h"
#include "file/InOutError.h"
#include "file/WindowsNames.h"
#include "merge/MergeError.h"
#include "merge/OutputPair.h"
#include "merge/RunFacts.h"
#include "merge/RunReports.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace mif {

namespace {

EMergeError At(const SideFile& file, EMergeError error) {
  SetPlace(error, {file.place, -1, 0, {}});
  return error;
}

// Names the file system would refuse at the open, told while nothing is
// written.
void RefuseLongNames(const OutputTarget& target) {
  for (const std::string& file : {target.files.mif, target.files.mid}) {
    for (const std::string& name : {file, TemporaryName(file)}) {
      if (const std::int32_t code = CheckNameFits(name)) throw EInOutError(code, name);
    }
  }
}

}  // namespace

OutputPlan::OutputPlan(const MergeOptions& options, OutputSink& sink, int count,
                       const SourceIdentities& sources, std::function<std::string(int)> sourceMif)
    : options_(options),
      sink_(sink),
      count_(count),
      sources_(sources),
      sourceMif_(std::move(sourceMif)) {}

void OutputPlan::RefuseSideFileAt(const SideFile& file) const {
  if (file.path.empty()) return;
  const std::optional<FileFacts> facts = StatFile(file.path);
  if (!facts) return;
  if (facts->kind == FileKind::Directory) {
    throw At(file, SideFileIsFolderError(file.option, file.path));
  }
  const int source = sources_.Find(facts->identity);
  if (source >= 0) {
    throw At(file,
             SideFileIsSourceError(file.option, file.path, sourceMif_(source), source, count_));
  }
}

void OutputPlan::Decide(RunPlan& plan, RunReport& run) const {
  if (plan.outputName.empty()) return;
  OutputGroups& groups = plan.groups;
  FoldedNames byFoldedName;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    OutputGroup& group = groups[g];
    const std::string outputName = plan.OutputNameOf(group);
    try {
      // Before .mif hides "sub/".
      if (!options_.perLayer) RefuseUnusableOutputName(plan.outputName);
      RefuseWindowsName(group, outputName);  // before Windows opens CON.mif as the console
      group.target = DecideOutput(outputName, options_.makeDevice);
      RefuseLongNames(group.target);
      RefuseSources(group.target);
      RefuseSameFile(groups, byFoldedName, static_cast<int>(g));
      group.decided = true;
      if (group.target.halfReplaced) run.outputNotes.push_back(HalfReplacedNote(group.target));
    } catch (Exception& error) {
      SetPlace(error, {ErrorPlace::Kind::Output, -1, count_, outputName});
      sink_.Refuse(error, run.outputProblems);
    }
  }
}

// Its .mif, its .mid or their temporary files, under Windows's folding.
void OutputPlan::RefuseSideFileAmong(const OutputGroups& groups, const SideFile& file) const {
  if (file.path.empty()) return;
  const std::string followed = FollowLinks(file.path);
  for (const OutputGroup& group : groups) {
    if (!group.decided) continue;
    for (const std::string& output : {group.target.files.mif, group.target.files.mid}) {
      for (const std::string& name : {output, TemporaryName(output)}) {
        if (SameNameOnWindows(followed, name)) {
          throw At(file, SideFileIsOutputError(file.option, file.path, name));
        }
      }
    }
  }
}

void OutputPlan::RefuseWindowsName(const OutputGroup& group, const std::string& outputName) const {
  const OutputNames names = OutputPairNames(outputName);
  for (const std::string& file : {names.mif, names.mid}) {
    const std::optional<std::u16string> why = WindowsNameProblem(ExtractNamePart(file));
    if (!why) continue;
    if (!options_.perLayer) throw WindowsNameError(file, *why);
    throw LayerWindowsNameError(file, group.layer, *why, sourceMif_(group.first), group.first,
                                count_);
  }
}

void OutputPlan::RefuseSources(const OutputTarget& target) const {
  for (const auto& [identity, file] :
       {std::pair{target.mif, target.files.mif}, std::pair{target.mid, target.files.mid}}) {
    const int source = identity ? sources_.Find(*identity) : -1;
    if (source >= 0) throw OutputIsSourceError(file, sourceMif_(source), source, count_);
  }
}

// Windows takes names that differ in letter case for one file. The folded
// names are kept as hashes, each match folded again to be sure.
void OutputPlan::RefuseSameFile(const OutputGroups& groups, FoldedNames& byFoldedName,
                                int g) const {
  const OutputGroup& other = groups[static_cast<std::size_t>(g)];
  const std::string folded = FoldedAsWindows(other.target.files.mif);
  const std::uint64_t hash = std::hash<std::string>()(folded);
  for (auto [at, end] = byFoldedName.equal_range(hash); at != end; ++at) {
    const OutputGroup& one = groups[static_cast<std::size_t>(at->second)];
    if (FoldedAsWindows(one.target.files.mif) != folded) continue;
    throw OutputsCollideError(one.target.files.mif, sourceMif_(one.first), one.first,
                              other.target.files.mif, sourceMif_(other.first), other.first, count_);
  }
  byFoldedName.emplace(hash, g);
}

}  // namespace mif
