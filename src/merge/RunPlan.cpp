#include "merge/RunPlan.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "format/MeshCode.h"
#include "merge/CopyLimits.h"
#include "merge/MergeError.h"
#include "merge/OutputPlan.h"
#include "merge/RunFacts.h"
#include "merge/RunReports.h"
#include "merge/SourceIdentities.h"
#include "merge/SourceReader.h"
#include "platform/PathText.h"

namespace mif {

std::string RunPlan::OutputNameOf(const OutputGroup& group) const {
  if (perLayer) return LayerOutputName(outputName, intoFolder, PathFromText(group.layer));
  return outputName.empty() ? outputName : OutputMifName(outputName, naming);
}

bool RunPlan::Skipped(int index) const {
  return std::binary_search(skipped.begin(), skipped.end(), index);
}

bool RunPlan::WithdrawnEarly(int index) const {
  return std::binary_search(withdrawn.begin(), withdrawn.end(), index);
}

namespace {

// What the first pass learns of the sources' files lives only until the
// plan is made.
class Planner {
 public:
  Planner(RunContext& run, SourceTexts& texts) : run_(run), options_(run.options), texts_(texts) {}

  RunPlan Plan() {
    plan_.tiles = TileRecord(options_.mesh != MeshTiles::Off, run_.count);
    sources_.Reserve(run_.count);
    baseNames_.Reserve(run_.count);
    if (options_.perLayer) plan_.groupOf.reserve(static_cast<std::size_t>(run_.count));
    for (int i = 0; i < run_.count; ++i) Examine(i);
    decltype(groupByLayer_)().swap(groupByLayer_);  // the rest of the plan holds its peak
    FindDuplicates();
    baseNames_ = BaseNames();
    PlanColumns();
    DecideOutputs();
    return std::move(plan_);
  }

 private:
  int GroupFor(const std::u16string& layer, int index);
  void Examine(int index);
  void FindDuplicates();
  void PlanColumns();
  std::optional<ColumnsMode> ColumnsModeOf(const OutputGroup& group);
  void DecideOutputs();

  RunContext& run_;
  const MergeOptions& options_;
  SourceTexts& texts_;
  RunPlan plan_;
  const std::shared_ptr<const AddedColumns> added_ =
      std::make_shared<const AddedColumns>(options_.added);
  std::unordered_map<std::u16string, std::size_t> groupByLayer_;
  SourceIdentities sources_;
  BaseNames baseNames_;
};

// The group of a source of the layer: one group unless per layer.
int Planner::GroupFor(const std::u16string& layer, int index) {
  OutputGroups& groups = plan_.groups;
  if (!groups.empty() && !options_.perLayer) return 0;
  const auto [found, added] =
      groupByLayer_.try_emplace(options_.perLayer ? layer : u"", groups.size());
  if (added) {
    groups.emplace_back(added_);
    groups.back().layer = layer;
    groups.back().first = index;
  }
  if (options_.perLayer) plan_.groupOf.push_back(static_cast<int>(found->second));
  return static_cast<int>(found->second);
}

// Source `index`'s header read, its .mid found, its files noted, nothing
// left open.
void Planner::Examine(int index) {
  run_.inputs.SourceExamining(index);
  if (run_.inputs.Withdrawn(index)) {
    plan_.withdrawn.push_back(index);
    if (options_.perLayer) plan_.groupOf.push_back(-1);
    return;
  }
  const SourceParts parts = run_.SourceOf(index);
  SourceReader reader(parts, options_.makeDevice, kHeaderBufferSize);  // opens nothing yet
  const SourceName& name = reader.Name();
  OutputGroup& group = plan_.groups[static_cast<std::size_t>(GroupFor(name.layer, index))];
  baseNames_.Add(parts.baseName, index);
  const std::optional<MeshCell> mesh =
      options_.mesh != MeshTiles::Off ? ParseMeshCode(name.tileValue) : std::nullopt;
  if (mesh) plan_.tiles.Add(index, name.layer, *mesh);
  if (!mesh && options_.mesh == MeshTiles::IfCodes) plan_.tiles.TurnOff();
  std::vector<std::u16string> problems;
  run_.Attempt(index, parts, problems, [&] {
    if (options_.perLayer && name.layer.empty()) throw EmptyLayerError(reader.Names().mif);
    if (!mesh && options_.mesh == MeshTiles::Required) {
      throw NotMeshCodeError(reader.Names().mif, name.tileValue);
    }
    reader.OpenMif();
    sources_.Add(reader.MifFacts().identity, index, false);  // before a header that may fail
    texts_.ReadHeader(index, parts, reader, group.builder.get());
    if (reader.HasMid()) sources_.Add(reader.MidFacts().identity, index, true);
    group.builder->Add(reader.SharedHeader(), reader.Names().mif, {name.layerValue, name.tileValue},
                       index);
  });
  if (!problems.empty()) plan_.problems.emplace(index, std::move(problems));
}

// Sources given twice: told with their source, and with skipDuplicates
// left out.
void Planner::FindDuplicates() {
  plan_.duplicates = mif::FindDuplicates(
      sources_, baseNames_, [this](int index) { return run_.SourceOf(index); },
      options_.makeDevice);
  for (const auto& [later, duplicate] : plan_.duplicates) {
    const bool skip = options_.skipDuplicates && duplicate.identical;
    if (skip) plan_.skipped.push_back(later);
    plan_.tiles.MarkDuplicated(later);
    SourceWarning warning{WarningKind::Duplicate, {}};
    warning.text = DuplicateText(duplicate, MifPath(run_.SourceOf(later)),
                                 MifPath(run_.SourceOf(duplicate.earlier)), run_.count, skip);
    plan_.warnings[later].push_back(std::move(warning));
  }
  for (int i = 0; i < run_.count; ++i) {
    if (!plan_.Skipped(i) && !plan_.WithdrawnEarly(i)) {
      plan_.groups[static_cast<std::size_t>(plan_.GroupOf(i))].last = i;
    }
  }
}

void Planner::PlanColumns() {
  for (OutputGroup& group : plan_.groups) {
    const std::optional<ColumnsMode> mode =
        group.builder->Sources() > 0 ? ColumnsModeOf(group) : std::nullopt;
    // None where refused, and told under its source: no output to plan.
    if (mode) group.schema = std::make_unique<const OutputSchema>(group.builder->Plan(*mode));
    group.builder.reset();  // the schema holds what is needed
  }
}

// The options' mode; where the first source's columns cannot take
// another's, union if the inputs say so, else refused.
std::optional<ColumnsMode> Planner::ColumnsModeOf(const OutputGroup& group) {
  const SchemaBuilder& builder = *group.builder;
  if (options_.columns != ColumnsMode::First || !builder.ColumnProblem()) return options_.columns;
  EColumnsError problem = *builder.ColumnProblem();
  if (options_.perLayer) problem = InLayer(problem, group.layer);
  const int index = builder.ColumnProblemSource();
  const SourceParts parts = run_.SourceOf(index);
  SetPlace(problem, run_.SourcePlace(index, parts));
  if (run_.inputs.MergeAllColumns(problem)) return ColumnsMode::Union;
  run_.Attempt(index, parts, plan_.problems[index], [&] { throw problem; });
  return std::nullopt;
}

void Planner::DecideOutputs() {
  const OutputPlan outputs(options_, run_.sink, run_.count, sources_,
                           [this](int index) { return MifPath(run_.SourceOf(index)); });
  const SideFile sideFiles[] = {{"--report", options_.reportPath, ErrorPlace::Kind::Report},
                                {"--coverage", options_.coveragePath, ErrorPlace::Kind::Picture}};
  for (const SideFile& file : sideFiles) outputs.RefuseSideFileAt(file);
  plan_.outputName = run_.inputs.OutputName();
  plan_.perLayer = options_.perLayer;
  plan_.naming = options_.outputNaming;
  plan_.intoFolder = options_.perLayer && WritesIntoFolder(plan_.outputName);
  outputs.Decide(plan_, run_.report);
  for (const SideFile& file : sideFiles) outputs.RefuseSideFileAmong(plan_.groups, file);
}

}  // namespace

RunPlan PlanRun(RunContext& run, SourceTexts& texts) { return Planner(run, texts).Plan(); }

}  // namespace mif
