#include "merge/MergeRun.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

#include "file/InOutError.h"
#include "merge/CopyLimits.h"
#include "merge/Duplicates.h"
#include "merge/OutputGroup.h"
#include "merge/OutputPair.h"
#include "merge/OutputPlan.h"
#include "merge/OutputState.h"
#include "merge/RunReports.h"
#include "merge/SourceCharset.h"
#include "merge/SourceCopy.h"
#include "merge/SourceIdentities.h"
#include "merge/SourceReader.h"
#include "merge/SourceTexts.h"
#include "merge/SourceWarnings.h"
#include "platform/PathText.h"

namespace mif {

namespace {

// One run: the merge, or with `check` the same reading and copying into an
// output that keeps nothing, every problem noted instead of raised.
class Run {
 public:
  Run(MergeInputs& inputs, const MergeOptions& options, bool check)
      : inputs_(inputs), options_(options), check_(check) {}

  RunReport Go() {
    count_ = inputs_.SourceCount();
    report_.sources = count_;
    sources_.Reserve(count_);
    baseNames_.Reserve(count_);
    texts_.emplace(inputs_, options_, count_);
    if (options_.perLayer) groupOf_.reserve(static_cast<std::size_t>(count_));
    try {
      for (int i = 0; i < count_; ++i) Examine(i);
      FindDuplicates();
      Plan();
      const OutputPlan outputs(options_, check_, count_, sources_,
                               [this](int index) { return MifPath(SourceOf(index)); });
      outputs.RefuseReportAt(options_.reportPath);
      outputName_ = inputs_.OutputName();
      outputs.Decide(groups_, outputName_, report_);
      outputs.RefuseReportAmong(groups_, options_.reportPath);
      for (std::size_t g = 0; g < groups_.size(); ++g) MergeGroup(static_cast<int>(g));
    } catch (ERunStopped& stop) {
      stop.SetOutputState(Abandon(false));
      throw;
    } catch (Exception& error) {
      // An output that could not be put in place has told its state.
      if (error.OutputState().empty()) error.SetOutputState(Abandon(true));
      throw;
    } catch (...) {  // memory, or an error of the caller's
      Abandon(true);
      throw;
    }
    report_.outputs = static_cast<int>(groups_.size());
    return report_;
  }

 private:
  // Runs `step` for source `index`: the merge marks what it raises with
  // the place, the check notes it in `problems` and goes on.
  template <typename Step>
  void Attempt(int index, const SourceParts& parts, std::vector<std::u16string>& problems,
               const Step& step) {
    try {
      step();
    } catch (Exception& error) {
      if (!check_) {
        error.SetPlace(output_.Holds(error.FileName()) ? OutputPlace()
                                                       : SourcePlaceOf(index, parts));
        throw;
      }
      // The first pass and the copy may find the same: told once.
      std::u16string problem = DescribeError(error);
      if (std::find(problems.begin(), problems.end(), problem) == problems.end()) {
        problems.push_back(std::move(problem));
      }
    }
  }

  ErrorPlace SourcePlaceOf(int index, const SourceParts& parts) const {
    return {ErrorPlace::Kind::Source, index, count_, MifPath(parts)};
  }
  ErrorPlace OutputPlace(const std::string& name) const {
    return {ErrorPlace::Kind::Output, -1, count_, name};
  }
  ErrorPlace OutputPlace() const {
    return OutputPlace(current_ >= 0 ? Current().outputName : outputName_);
  }

  // The source's parts from the inputs, whose failure (a list grown
  // shorter) is told at the source's place.
  SourceParts SourceOf(int index) {
    try {
      return inputs_.Source(index);
    } catch (Exception& error) {
      error.SetPlace({ErrorPlace::Kind::Source, index, count_, {}});
      throw;
    }
  }

  int GroupOf(int index) const {
    return groupOf_.empty() ? 0 : groupOf_[static_cast<std::size_t>(index)];
  }
  OutputGroup& Current() { return groups_[static_cast<std::size_t>(current_)]; }
  const OutputGroup& Current() const { return groups_[static_cast<std::size_t>(current_)]; }

  // The group of a source of the layer: a per-layer run's groups come in
  // the order their layer first comes.
  int GroupFor(const std::u16string& layer, int index) {
    if (groups_.empty() || options_.perLayer) {
      const auto [found, added] =
          groupByLayer_.try_emplace(options_.perLayer ? layer : u"", groups_.size());
      if (added) {
        groups_.emplace_back(options_.added);
        groups_.back().layer = layer;
        groups_.back().first = index;
      }
      if (options_.perLayer) groupOf_.push_back(static_cast<int>(found->second));
      return static_cast<int>(found->second);
    }
    return 0;
  }

  // The first pass over source `index`: its header, its .mid found, its
  // files noted, nothing left open.
  void Examine(int index) {
    inputs_.SourceExamining(index);
    if (inputs_.Withdrawn(index)) {
      withdrawn_.push_back(index);
      if (options_.perLayer) groupOf_.push_back(-1);  // in no group
      return;
    }
    const SourceParts parts = SourceOf(index);
    SourceReader reader(parts, options_.makeDevice, kHeaderBufferSize);  // opens nothing yet
    const SourceName& name = reader.Name();
    OutputGroup& group = groups_[static_cast<std::size_t>(GroupFor(name.layer, index))];
    baseNames_.Add(parts.baseName, index);
    Attempt(index, parts, check_ ? firstPassProblems_[index] : raised_, [&] {
      if (options_.perLayer && name.layer.empty()) throw EmptyLayerError(reader.Names().mif);
      reader.OpenMif();
      sources_.Add(reader.MifFacts().identity, index, false);  // before a header that may fail
      // Read into the reader, in the charset decided for it.
      texts_->ReadHeader(index, parts, reader, check_ ? nullptr : &group.builder);
      if (reader.HasMid()) sources_.Add(reader.MidFacts().identity, index, true);
      const bool hadProblem = group.builder.ColumnProblem().has_value();
      group.builder.Add(reader.SharedHeader(), reader.Names().mif,
                        {name.layerValue, name.tileValue}, index);
      // The check tells a column problem under the source that has it.
      if (check_ && options_.columns == ColumnsMode::First && !hadProblem &&
          group.builder.ColumnProblem()) {
        throw *group.builder.ColumnProblem();
      }
    });
  }

  TextCharset CharsetOf(int index) const { return texts_->CharsetOf(index); }

  // Sources given twice: told, and with skipDuplicates left out.
  void FindDuplicates() {
    duplicates_ = mif::FindDuplicates(
        sources_, baseNames_, [this](int index) { return SourceOf(index); }, options_.makeDevice);
    for (const auto& [later, duplicate] : duplicates_) {
      const bool skip = options_.skipDuplicates && duplicate.identical;
      if (skip) skipped_.push_back(later);
      SourceWarning warning{WarningKind::Duplicate, {}};
      warning.text = DuplicateText(duplicate, MifPath(SourceOf(later)),
                                   MifPath(SourceOf(duplicate.earlier)), count_, skip);
      firstPassWarnings_[later].push_back(std::move(warning));  // told with its source
    }
    for (int i = 0; i < count_; ++i) {
      if (!Skipped(i) && !WithdrawnEarly(i)) groups_[static_cast<std::size_t>(GroupOf(i))].last = i;
    }
  }

  bool Skipped(int index) const {
    return std::binary_search(skipped_.begin(), skipped_.end(), index);
  }

  // Taken out before the first pass came to it.
  bool WithdrawnEarly(int index) const {
    return std::binary_search(withdrawn_.begin(), withdrawn_.end(), index);
  }

  void Plan() {
    for (OutputGroup& group : groups_) {
      if (group.builder.Sources() == 0) continue;
      ColumnsMode mode = options_.columns;
      if (mode == ColumnsMode::First && group.builder.ColumnProblem()) {
        if (check_) continue;  // told under its source; no output to plan
        EColumnsError problem = *group.builder.ColumnProblem();
        if (options_.perLayer) problem = InLayer(problem, group.layer);
        const int index = group.builder.ColumnProblemSource();
        problem.SetPlace(SourcePlaceOf(index, SourceOf(index)));
        if (!inputs_.MergeAllColumns(problem)) throw problem;
        mode = ColumnsMode::Union;
      }
      group.schema = group.builder.Plan(mode);
      group.builder = SchemaBuilder(options_.added);  // the schema holds what is needed
      group.report.layer = group.layer;
    }
  }

  void MergeGroup(int g) {
    current_ = g;
    for (int i = Current().first; i >= 0 && i < count_; ++i) {
      if (GroupOf(i) == g) MergeSource(i);
    }
    FinishGroup();
  }

  // Opens the group's output: its temporary files, or for the check files
  // that keep nothing; and writes its header.
  void OpenGroup() {
    OutputGroup& group = Current();
    if (!check_) {
      output_.Open(group.target, options_.makeDevice, false);
    } else if (!group.decided) {
      output_.OpenNull();
    } else {
      try {
        output_.Open(group.target, options_.makeDevice, true);
      } catch (const Exception& error) {
        report_.outputProblems.push_back(DescribeError(error));
        output_.OpenNull();
      }
    }
    opened_ = current_;
    if (!group.schema) return;
    DescribeOutput(*group.schema, group.report);  // here, not in the plan: one group's at a time
    for (const std::string& line : group.report.header) output_.Mif().WriteLine(line);
    output_.Mark();
  }

  void MergeSource(int index) {
    inputs_.SourceStarting(index);
    if (WithdrawnEarly(index) || inputs_.Withdrawn(index)) {
      SourceReport report;
      report.status = SourceStatus::Withdrawn;
      report.output = current_;
      inputs_.SourceDone(index, report);
      return;
    }
    ++Current().kept;
    const SourceParts parts = SourceOf(index);
    const std::string outputName = inputs_.OutputName();
    const bool utf8 = inputs_.Utf8Option();
    if (!check_ && outputName != outputName_) {
      EMergeError error = OutputNameChangedError(outputName);
      error.SetPlace(OutputPlace(outputName));
      throw error;
    }
    if (opened_ != current_) OpenGroup();
    SourceReader reader(parts, options_.makeDevice);
    SourceReport report;
    report.names = reader.Names();
    report.layerName = reader.Name().layerValue;
    report.tileName = reader.Name().tileValue;
    report.output = current_;
    if (const auto found = duplicates_.find(index); found != duplicates_.end()) {
      report.duplicate = found->second;
    }
    if (check_) report.problems = std::move(firstPassProblems_[index]);
    if (const auto found = firstPassWarnings_.find(index); found != firstPassWarnings_.end()) {
      report.warnings = std::move(found->second);
      firstPassWarnings_.erase(found);
    }
    if (Skipped(index)) {
      report.status = SourceStatus::Skipped;
      TellWarnings(index, report);
      inputs_.SourceDone(index, report);
      return;
    }
    try {
      Attempt(index, parts, report.problems, [&] { Copy(index, parts, reader, utf8, report); });
    } catch (const Exception& error) {  // the merge's: told as the source's
      report.status = SourceStatus::Refused;
      report.problems.push_back(DescribeError(error));
      TellWarnings(index, report);
      inputs_.SourceDone(index, report);
      throw;
    }
    if (!report.problems.empty()) report.status = SourceStatus::Refused;
    if (!check_) {
      ++Current().whole;
      output_.Mark();  // a later failure cuts back to here
      for (const std::u16string& note : report.notes) inputs_.Note(index, note);
      TellWarnings(index, report);
    }
    inputs_.SourceDone(index, report);
  }

  // The check tells its warnings with the source's line.
  void TellWarnings(int index, const SourceReport& report) {
    if (check_) return;
    for (const SourceWarning& warning : report.warnings) inputs_.Warning(index, warning);
  }

  // The source copied in the charset decided for it; with `trial`, as
  // UTF-8 on trial (NotUtf8Text).
  CopyResult CopyAs(int index, SourceReader& reader, bool utf8, bool trial, SourceReport& report) {
    const OutputGroup& group = Current();
    reader.OpenMif();
    const MifHeader& header =
        reader.ReadHeader(texts_->Headers(), CharsetOf(index) == TextCharset::Utf8);
    report.names = reader.Names();
    DescribeHeader(header, report);
    report.charsetRead = CharsetReadText(header, CharsetOf(index));
    // A source that became one of the output's files since the first pass.
    if (output_.IsOutputFile(reader.MifFacts().identity)) {
      EMergeError error = OutputIsSourceError(report.names.mif, report.names.mif, index, count_);
      error.SetPlace(OutputPlace());
      throw error;
    }
    const SourceName& name = reader.Name();
    SourceLayout layout;
    layout.noColumns = header.columns.empty();
    if (group.schema) {
      layout =
          FitSource(*group.schema, header, report.names.mif, {name.layerValue, name.tileValue});
      DescribeLayout(layout, header, *group.schema, report);
    }
    CopyRequest request;
    request.utf8 = utf8;
    request.utf8Trial = trial;
    request.layerValue = QuotedLayerValue(name.layerValue);
    request.tileValue = QuotedLayerValue(name.tileValue);
    request.delimiter = group.schema ? group.schema->delimiter : '\t';
    request.progress = [&](std::uint64_t bytes) { inputs_.BytesMerged(report_.bytes + bytes); };
    const CopyResult result = CopySource(reader, layout, request, output_.Mif(), output_.Mid());
    if (trial) {  // UTF-8 it was, or ASCII alone
      texts_->TrialPassed(index, result.objectNotes.multiByte || result.rowNotes.multiByte);
      report.charsetRead = CharsetReadText(header, CharsetOf(index));
    }
    report_.bytes += result.bytesRead;
    report.names = reader.Names();
    report.objects = result.objects;
    report.rows = result.rows;
    report.objectNotes = result.objectNotes;
    report.rowNotes = result.rowNotes;
    for (const std::u16string& problem : UnpairedProblems(result, reader)) {
      if (!check_) throw EMergeError(problem);
      report.problems.push_back(problem);
    }
    if (CharsetOf(index) == TextCharset::Utf8) {
      report.notes.push_back(Utf8TextNote(header, report.names.mif));
    }
    if (const CharsetReading* mixed = texts_->Mixed(index)) {
      std::u16string text = MixedTextWarning(*mixed, report.names.mif, report.names.mid, utf8);
      if (!text.empty()) report.warnings.push_back({WarningKind::TextMixed, std::move(text)});
    }
    for (SourceWarning& warning : SourceWarnings(reader, layout, result)) {
      report.warnings.push_back(std::move(warning));
    }
    return result;
  }

  // A source left to the copy is copied as UTF-8 on trial: the first byte
  // that is no UTF-8 takes its bytes back out of the output, and it is
  // copied again in the charset a look at its whole text finds.
  void Copy(int index, const SourceParts& parts, SourceReader& reader, bool utf8,
            SourceReport& report) {
    OutputGroup& group = Current();
    CopyResult result;
    if (!texts_->OnTrial(index)) {
      result = CopyAs(index, reader, utf8, false, report);
    } else {
      texts_->BeginTrial(index);
      try {
        result = CopyAs(index, reader, utf8, true, report);
      } catch (const NotUtf8Text&) {
        output_.Rewind();
        texts_->TrialFailed(index, parts);
        SourceReader again(parts, options_.makeDevice);
        result = CopyAs(index, again, utf8, false, report);
      }
    }
    report_.objects += result.objects;
    group.report.objects += result.objects;
    group.report.rows += result.rows;
    ++group.report.sources;
    // The group's last source closes its output: a close that fails is its own.
    if (index == group.last) {
      output_.Close();
    } else {
      output_.Flush();
    }
  }

  // The group's output put in place, and told.
  void FinishGroup() {
    OutputGroup& group = Current();
    if (group.kept == 0 && !check_) {  // every source withdrawn: its output stays as it was
      output_.Discard();
      return;
    }
    if (opened_ != current_) OpenGroup();  // a group whose every source was left out
    group.report.bytes = output_.MarkedBytes();
    if (!check_) PutInPlace();
    group.report.complete = true;
    inputs_.OutputDone(group.report);
    completed_.push_back(current_);
    Release(group);
  }

  // What a done group no longer needs: thousands of one-tile layers would
  // hold every one's schema and header.
  static void Release(OutputGroup& group) {
    group.schema.reset();
    std::vector<std::string>().swap(group.report.header);
    std::vector<ColumnReport>().swap(group.report.columns);
  }

  void PutInPlace() {
    try {
      output_.Commit();
    } catch (const EInOutError& error) {  // the .mif was not replaced
      output_.Discard();
      EInOutError marked = error;
      marked.SetPlace(OutputPlace());
      marked.SetOutputState(StateText(UnchangedOutput()));
      throw marked;
    } catch (Exception& error) {  // the .mif was, its .mid not: the message says
      error.SetPlace(OutputPlace());
      throw;
    }
  }

  // After an error: the whole sources of the group it stopped in put in
  // place (with `keepWholeSources`; after a stop, not), or that output
  // left as it was; the outputs done before stay, none after is written.
  // Gives what the outputs hold, to tell.
  std::u16string Abandon(bool keepWholeSources) {
    if (check_) return {};
    if (!keepWholeSources || current_ < 0 || opened_ != current_ || !output_.IsOpen() ||
        Current().whole == 0) {
      output_.Discard();
      return StateText(UnchangedOutput());
    }
    OutputGroup& group = Current();
    try {
      output_.CutBack();
      output_.Commit();
    } catch (Exception& second) {
      output_.Discard();
      second.SetPlace(OutputPlace());
      second.SetOutputState(StateText(UnchangedOutput()));
      throw;
    }
    group.report.bytes = output_.MarkedBytes();
    inputs_.OutputDone(group.report);
    return StateText(HoldsText(group.outputName, group.whole, count_));
  }

  // What the outputs hold: those done, the one stopped in, those not begun.
  std::u16string StateText(const std::u16string& stopped) const {
    if (!options_.perLayer || current_ < 0) return stopped;  // none begun
    std::vector<std::string> completed;
    for (const int g : completed_)
      completed.push_back(groups_[static_cast<std::size_t>(g)].outputName);
    return OutputsText(completed, stopped, groups_.size() - static_cast<std::size_t>(current_) - 1);
  }

  std::u16string UnchangedOutput() const {
    if (current_ < 0 || !Current().decided) return NothingWrittenText();
    const OutputGroup& group = Current();
    return UnchangedText(group.outputName, group.target.mif || group.target.mid);
  }

  MergeInputs& inputs_;
  const MergeOptions& options_;
  const bool check_;
  int count_ = 0;
  OutputGroups groups_;
  std::unordered_map<std::u16string, std::size_t> groupByLayer_;
  std::vector<int> groupOf_;  // a per-layer run's, a source each
  SourceIdentities sources_;
  BaseNames baseNames_;
  std::map<int, DuplicateReport> duplicates_;
  std::vector<int> skipped_;    // in list order
  std::vector<int> withdrawn_;  // in the first pass, in list order
  // The check's problems and warnings of the first pass, until their
  // source's report.
  std::map<int, std::vector<std::u16string>> firstPassProblems_;
  std::map<int, std::vector<SourceWarning>> firstPassWarnings_;
  std::vector<std::u16string> raised_;  // the merge's: never filled, it raises
  std::optional<SourceTexts> texts_;    // made once the count is known
  OutputPair output_;
  std::string outputName_;
  int current_ = -1;  // the group being merged
  int opened_ = -1;   // the group whose output is open
  std::vector<int> completed_;
  RunReport report_;
};

}  // namespace

RunReport RunMerge(MergeInputs& inputs, const MergeOptions& options) {
  return Run(inputs, options, false).Go();
}

RunReport CheckRun(MergeInputs& inputs, const MergeOptions& options) {
  return Run(inputs, options, true).Go();
}

}  // namespace mif
