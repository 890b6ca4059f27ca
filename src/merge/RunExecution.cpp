#include "merge/RunExecution.h"

#include "file/InOutError.h"
#include "format/CoordSys.h"
#include "format/MeshCheck.h"
#include "format/MidRow.h"
#include "format/TransverseMercator.h"
#include "merge/MergeError.h"
#include "merge/OutputState.h"
#include "merge/RunFacts.h"
#include "merge/RunReports.h"
#include "merge/SourceCharset.h"
#include "merge/SourceReader.h"
#include "merge/SourceWarnings.h"

namespace mif {

struct RunExecution::TileCheck {
  TileCheck(PointsBehind& behind, const MeshCell& cell, std::int64_t allowance,
            std::optional<TransverseMercator> projected, std::int64_t headerLines)
      : projection(std::move(projected)),
        mesh(cell, allowance, projection ? &*projection : nullptr),
        points(mesh),
        source(behind, points),
        headerLines(headerLines) {}

  const std::optional<TransverseMercator> projection;
  MeshCheck mesh;
  ObjectPoints points;
  PointsBehind::Source source;  // left before the check it feeds
  const std::int64_t headerLines;
};

RunExecution::RunExecution(RunContext& run, SourceTexts& texts) : run_(run), texts_(texts) {}

RunExecution::~RunExecution() = default;

void RunExecution::Execute(RunPlan plan) {
  plan_ = std::move(plan);
  try {
    for (std::size_t g = 0; g < plan_.groups.size(); ++g) MergeGroup(static_cast<int>(g));
  } catch (...) {
    // The source before the one that stopped the run is whole: told first.
    try {
      TellPending();
    } catch (...) {
    }
    throw;
  }
  run_.report.outputs = static_cast<int>(plan_.groups.size());
  run_.report.coverage = plan_.tiles.Coverage(run_.options.expectedMeshes);
}

ErrorPlace RunExecution::OutputPlace() const {
  return run_.OutputPlace(current_ >= 0 ? run_.writing : plan_.outputName);
}

void RunExecution::MergeGroup(int g) {
  current_ = g;
  const OutputGroup& group = Current();
  run_.writing = plan_.OutputNameOf(group);
  report_ = OutputReport{};
  report_.index = g;
  report_.name = run_.writing;
  if (group.decided) report_.files = {group.target.files.mif, group.target.files.mid};
  for (int i = Current().first; i >= 0 && i < run_.count; ++i) {
    if (plan_.GroupOf(i) == g) MergeSource(i);
  }
  FinishGroup();
}

// The group's output begun with its header, described here, not in the
// plan: one group's at a time.
void RunExecution::OpenGroup() {
  OutputGroup& group = Current();
  if (group.schema) {
    report_.layer = group.layer;
    DescribeOutput(*group.schema, report_);
  }
  try {
    run_.sink.Begin(group, run_.writing, report_.header, run_.report);
  } catch (Exception& error) {
    SetPlace(error, OutputPlace());
    throw;
  }
  opened_ = current_;
}

void RunExecution::MergeSource(int index) {
  run_.inputs.SourceStarting(index);
  if (plan_.WithdrawnEarly(index) || run_.inputs.Withdrawn(index)) {
    SourceReport report;
    report.status = SourceStatus::Withdrawn;
    report.output = current_;
    TellPending();
    return run_.inputs.SourceDone(index, report);
  }
  ++Current().kept;
  const SourceParts parts = run_.SourceOf(index);
  RefuseOutputNameChange();
  const bool utf8 = run_.inputs.Utf8Option();
  if (opened_ != current_) OpenGroup();
  SourceReader reader(parts, run_.options.makeDevice);
  SourceReport report = StartReport(index, reader);
  if (plan_.Skipped(index)) {
    report.status = SourceStatus::Skipped;
    TellPending();
    return Tell(index, report);
  }
  copied_.reset();
  try {
    run_.Attempt(index, parts, report.problems, [&] { Copy(index, parts, reader, utf8, report); });
  } catch (const Exception& error) {  // told as the source's
    copied_.reset();
    TellPending();
    report.status = SourceStatus::Refused;
    report.problems.push_back(DescribeError(error));
    Tell(index, report);
    throw;
  }
  if (report.problems.empty()) {
    ++Current().whole;
  } else {
    report.status = SourceStatus::Refused;
  }
  TellPending();
  if (copied_) {
    pending_ = PendingSource{index, std::move(report), std::move(copied_)};
    return;
  }
  Tell(index, report);
}

// The source whose tile was read behind, once it is.
void RunExecution::TellPending() {
  if (!pending_) return;
  PendingSource pending = std::move(*pending_);
  pending_.reset();
  pending.check->source.Finish();
  TellMesh(pending.index, *pending.check, pending.report);
  Tell(pending.index, pending.report);
}

// The output name must stay what it was at the plan.
void RunExecution::RefuseOutputNameChange() {
  const std::string outputName = run_.inputs.OutputName();
  if (outputName == plan_.outputName) return;
  EMergeError error = OutputNameChangedError(outputName);
  SetPlace(error, run_.OutputPlace(outputName));
  throw error;
}

// What the plan knows of the source: its names, its duplicate, and the
// problems and warnings of the first pass.
SourceReport RunExecution::StartReport(int index, const SourceReader& reader) {
  SourceReport report;
  report.names = reader.Names();
  report.layerName = reader.Name().layerValue;
  report.tileName = reader.Name().tileValue;
  report.output = current_;
  if (const auto found = plan_.duplicates.find(index); found != plan_.duplicates.end()) {
    report.duplicate = found->second;
  }
  if (const auto found = plan_.problems.find(index); found != plan_.problems.end()) {
    report.problems = std::move(found->second);
    plan_.problems.erase(found);
  }
  if (const auto found = plan_.warnings.find(index); found != plan_.warnings.end()) {
    report.warnings = std::move(found->second);
    plan_.warnings.erase(found);
  }
  return report;
}

// The source's notes (of one merged), warnings and report told.
void RunExecution::Tell(int index, const SourceReport& report) {
  if (report.status == SourceStatus::Merged) {
    for (const std::u16string& note : report.notes) run_.inputs.Note(index, note);
  }
  for (const SourceWarning& warning : report.warnings) run_.inputs.Warning(index, warning);
  run_.inputs.SourceDone(index, report);
}

// A source left to the copy is copied as UTF-8 on trial: the first byte
// that is no UTF-8 takes its bytes back out of the output, and it is
// copied again in the charset a look at its whole text finds.
void RunExecution::Copy(int index, const SourceParts& parts, SourceReader& reader, bool utf8,
                        SourceReport& report) {
  OutputGroup& group = Current();
  CopyResult result;
  if (!texts_.OnTrial(index)) {
    result = CopyAs(index, parts, reader, utf8, false, report);
  } else {
    texts_.BeginTrial(index);
    try {
      result = CopyAs(index, parts, reader, utf8, true, report);
    } catch (const NotUtf8Text&) {
      run_.sink.Rewind();
      texts_.TrialFailed(index, parts);
      SourceReader again(parts, run_.options.makeDevice);
      result = CopyAs(index, parts, again, utf8, false, report);
    }
  }
  run_.report.objects += result.objects;
  report_.objects += result.objects;
  report_.rows += result.rows;
  ++report_.sources;
  // The group's last source closes its output: a close that fails is its own.
  run_.sink.EndSource(index == group.last);
}

// The source copied in the charset decided for it; with `trial`, as
// UTF-8 on trial (NotUtf8Text).
CopyResult RunExecution::CopyAs(int index, const SourceParts& parts, SourceReader& reader,
                                bool utf8, bool trial, SourceReport& report) {
  const OutputGroup& group = Current();
  reader.OpenMif();
  const MifHeader& header =
      reader.ReadHeader(texts_.Headers(), texts_.CharsetOf(index) == TextCharset::Utf8);
  const SourceLayout layout = LayoutOf(index, header, reader, report);
  const SourceName& name = reader.Name();
  CopyRequest request;
  request.utf8 = utf8;
  request.utf8Trial = trial;
  AppendQuotedMidValue(name.layerValue, request.layerValue);
  AppendQuotedMidValue(name.tileValue, request.tileValue);
  request.delimiter = group.schema ? group.schema->delimiter : '\t';
  request.progress = [&](std::uint64_t bytes) {
    run_.inputs.BytesMerged(run_.report.bytes + bytes);
  };
  std::optional<TransverseMercator> projection;
  const bool placed = plan_.tiles.On() && PlacesPoints(header, projection);
  std::unique_ptr<TileCheck> check;
  if (placed) {
    check = std::make_unique<TileCheck>(pointsBehind_, *ParseMeshCode(name.tileValue),
                                        run_.options.meshAllowance, std::move(projection),
                                        static_cast<std::int64_t>(header.lines.size()));
    request.points = &pointsBehind_;
  }
  const CopyResult result = CopySource(reader, layout, request, run_.sink.Mif(), run_.sink.Mid());
  if (check) check->source.End();
  if (trial) texts_.TrialPassed(index, result.objectNotes.multiByte || result.rowNotes.multiByte);
  Conclude(index, parts, reader, header, layout, result, utf8, report);
  // A CoordSys the check cannot place, noted at the first source with one.
  if (plan_.tiles.On() && !placed && !meshNotChecked_) {
    meshNotChecked_ = true;
    report.notes.push_back(MeshNotCheckedNote(report.names.mif));
  }
  copied_ = std::move(check);
  return result;
}

// Points are longitude and latitude where the CoordSys says so, or where
// there is none, as MapInfo takes it; a Transverse Mercator's are taken
// back to them through `projection`.
bool RunExecution::PlacesPoints(const MifHeader& header,
                                std::optional<TransverseMercator>& projection) {
  if (!header.coordSysLines.Declared() || IsLongitudeLatitude(header.coordSys)) return true;
  projection = TransverseMercator::Of(header.coordSys);
  return projection.has_value();
}

// What the check against the tile's mesh found, into the report.
void RunExecution::TellMesh(int index, const TileCheck& check, SourceReport& report) {
  const MeshCheck& mesh = check.mesh;
  if (mesh.OutsideObjects() == 0) return;
  plan_.tiles.MarkOutside(index);
  const std::optional<MeshCell>& found = mesh.FirstOutsideMesh();
  report.warnings.push_back(OutsideMeshWarning(
      report.tileName, mesh.OutsideObjects(), check.headerLines + mesh.FirstOutsideLine(),
      found ? MeshCodeOf(*found) : std::string(), report.names.mif));
}

// Where the source's values go in the output; raises for a source that
// became one of the output's files since the first pass.
SourceLayout RunExecution::LayoutOf(int index, const MifHeader& header, const SourceReader& reader,
                                    SourceReport& report) {
  report.names = reader.Names();
  DescribeHeader(header, report);
  report.charsetRead = CharsetReadText(header, texts_.CharsetOf(index));
  if (run_.sink.IsOutputFile(reader.MifFacts().identity)) {
    EMergeError error = OutputIsSourceError(report.names.mif, report.names.mif, index, run_.count);
    SetPlace(error, OutputPlace());
    throw error;
  }
  const OutputGroup& group = Current();
  SourceLayout layout;
  layout.noColumns = header.columns.empty();
  if (!group.schema) return layout;
  const SourceName& name = reader.Name();
  layout = FitSource(*group.schema, header, report.names.mif, {name.layerValue, name.tileValue});
  DescribeLayout(layout, header, *group.schema, report);
  return layout;
}

// What the copy found, into the report: counts, the charset read, and the
// problems and warnings a reader of the output would need.
void RunExecution::Conclude(int index, const SourceParts& parts, const SourceReader& reader,
                            const MifHeader& header, const SourceLayout& layout,
                            const CopyResult& result, bool utf8, SourceReport& report) {
  report.charsetRead = CharsetReadText(header, texts_.CharsetOf(index));  // a trial's, settled
  run_.report.bytes += result.bytesRead;
  report.names = reader.Names();
  report.objects = result.objects;
  report.rows = result.rows;
  report.objectNotes = result.objectNotes;
  report.rowNotes = result.rowNotes;
  for (const std::u16string& problem : UnpairedProblems(result, reader)) {
    run_.Attempt(index, parts, report.problems, [&] { throw EMergeError(problem); });
  }
  if (texts_.CharsetOf(index) == TextCharset::Utf8) {
    report.notes.push_back(Utf8TextNote(header, report.names.mif));
  }
  if (const CharsetReading* mixed = texts_.Mixed(index)) {
    std::u16string text = MixedTextWarning(*mixed, report.names.mif, report.names.mid, utf8);
    if (!text.empty()) report.warnings.push_back({WarningKind::TextMixed, std::move(text)});
  }
  for (SourceWarning& warning : SourceWarnings(reader, layout, result)) {
    report.warnings.push_back(std::move(warning));
  }
}

// The group's output put in place, and told.
void RunExecution::FinishGroup() {
  TellPending();  // its sources are told before it
  OutputGroup& group = Current();
  if (group.kept == 0) {  // every source withdrawn: its output stays as it was
    run_.sink.Discard();
    return;
  }
  if (opened_ != current_) OpenGroup();  // a group whose every source was left out
  report_.bytes = run_.sink.Bytes();
  PutInPlace();
  report_.complete = true;
  run_.inputs.OutputDone(report_);
  completed_.push_back(current_);
  group.schema.reset();  // thousands of one-tile layers would hold every one's
}

void RunExecution::PutInPlace() {
  try {
    run_.sink.Commit();
  } catch (const EInOutError& error) {  // the .mif was not replaced
    EInOutError marked = error;
    SetPlace(marked, OutputPlace());
    SetOutputState(marked, StateText(UnchangedOutput()));
    throw marked;
  } catch (Exception& error) {  // the .mif was, its .mid not: the message says
    SetPlace(error, OutputPlace());
    throw;
  }
}

std::u16string RunExecution::Abandon(bool keepWholeSources) {
  const bool keep = keepWholeSources && current_ >= 0 && opened_ == current_ && Current().whole > 0;
  Abandoned left = Abandoned::Unchanged;
  try {
    left = run_.sink.Abandon(keep);
  } catch (Exception& second) {
    SetPlace(second, OutputPlace());
    SetOutputState(second, StateText(UnchangedOutput()));
    throw;
  }
  if (left == Abandoned::Nothing) return {};
  if (left == Abandoned::Unchanged) return StateText(UnchangedOutput());
  OutputGroup& group = Current();
  report_.bytes = run_.sink.Bytes();
  run_.inputs.OutputDone(report_);
  return StateText(HoldsText(run_.writing, group.whole, run_.count));
}

// What the outputs hold: those done, the one stopped in, those not begun.
std::u16string RunExecution::StateText(const std::u16string& stopped) const {
  if (!run_.options.perLayer || current_ < 0) return stopped;  // none begun
  std::vector<std::string> completed;
  for (const int g : completed_) {
    completed.push_back(plan_.OutputNameOf(plan_.groups[static_cast<std::size_t>(g)]));
  }
  return OutputsText(completed, stopped,
                     plan_.groups.size() - static_cast<std::size_t>(current_) - 1);
}

std::u16string RunExecution::UnchangedOutput() const {
  if (current_ < 0 || !Current().decided) return NothingWrittenText();
  const OutputGroup& group = Current();
  return UnchangedText(run_.writing, group.target.mif || group.target.mid);
}

}  // namespace mif
