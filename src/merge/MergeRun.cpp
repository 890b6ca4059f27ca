#include "merge/MergeRun.h"

#include <algorithm>
#include <map>
#include <optional>

#include "file/InOutError.h"
#include "merge/OutputHeader.h"
#include "merge/OutputPair.h"
#include "merge/SourceCopy.h"
#include "merge/SourceIdentities.h"
#include "merge/SourceReader.h"
#include "merge/SourceWarnings.h"
#include "platform/PathText.h"

namespace mif {

namespace {

std::u16string Number(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::string MifPath(const SourceParts& parts) {
  return parts.directory + parts.baseName +
         (parts.mifExtension.empty() ? std::string(".mif") : parts.mifExtension);
}

// The file an error names, where it names one.
std::string FileOf(const Exception& error) {
  if (const auto* io = dynamic_cast<const EInOutError*>(&error)) return io->FileName();
  if (const auto* merge = dynamic_cast<const EMergeError*>(&error)) return merge->FileName();
  return {};
}

void Describe(const MifHeader& header, SourceReport& report) {
  report.columnCount = header.columnCount;
  report.delimiter = header.delimiter;
  report.charset = header.charset;
}

void Lay(const SourceLayout& layout, const MifHeader& header, SourceReport& report) {
  report.planned = true;
  report.ownLayer = layout.ownLayer;
  for (const int value : layout.valueOf) {
    report.values.push_back(value >= 0 ? header.columns[static_cast<std::size_t>(value)].name
                                       : std::string());
  }
}

// One run: the merge, or with `check` the same reading and copying into an
// output that keeps nothing, every problem noted instead of raised.
class Run {
 public:
  Run(MergeInputs& inputs, const MergeOptions& options, bool check)
      : inputs_(inputs), options_(options), check_(check) {}

  RunReport Go() {
    count_ = inputs_.SourceCount();
    report_.sources = count_;
    try {
      for (int i = 0; i < count_; ++i) Examine(i);
      Plan();
      for (int i = 0; i < count_; ++i) MergeSource(i);
    } catch (Exception& error) {
      error.SetOutputState(Abandon());
      throw;
    } catch (...) {  // memory, or an error of the caller's
      Abandon();
      throw;
    }
    if (!check_ && output_.IsOpen()) PutInPlace();
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
        error.SetPlace(output_.Holds(FileOf(error)) ? OutputPlace() : SourcePlaceOf(index, parts));
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
  ErrorPlace OutputPlace() const { return {ErrorPlace::Kind::Output, -1, count_, outputName_}; }

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

  // The first pass over source `index`: its header, its .mid found, its
  // files noted, nothing left open.
  void Examine(int index) {
    const SourceParts parts = SourceOf(index);
    inputs_.SourceExamining(index);
    Attempt(index, parts, check_ ? firstPassProblems_[index] : raised_, [&] {
      SourceReader reader(parts, options_.makeDevice);
      reader.OpenMif();
      sources_.Add(reader.MifFacts().identity, index);  // before a header that may fail
      const MifHeader& header = reader.ReadHeader();
      reader.CloseMif();
      reader.FindMid();
      if (reader.HasMid()) sources_.Add(reader.MidFacts().identity, index);
      const bool hadProblem = builder_.ColumnProblem().has_value();
      builder_.Add(header, reader.Names().mif, reader.LayerName(), index);
      // The check tells a column problem under the source that has it.
      if (check_ && options_.columns == ColumnsMode::First && !hadProblem &&
          builder_.ColumnProblem()) {
        throw *builder_.ColumnProblem();
      }
    });
  }

  void Plan() {
    if (builder_.Sources() == 0) return;
    ColumnsMode mode = options_.columns;
    if (mode == ColumnsMode::First && builder_.ColumnProblem()) {
      if (check_) return;  // told under its source; no output to plan
      EColumnsError problem = *builder_.ColumnProblem();
      const int index = builder_.ColumnProblemSource();
      problem.SetPlace(SourcePlaceOf(index, inputs_.Source(index)));
      if (!inputs_.MergeAllColumns(problem)) throw problem;
      mode = ColumnsMode::Union;
    }
    schema_ = builder_.Plan(mode);
    report_.outputHeader = OutputHeaderLines(*schema_);
  }

  // Decides the output at the first source and opens its temporary files.
  void StartOutput(const std::string& name) {
    outputName_ = name;
    if (check_ && name.empty()) return output_.OpenNull();
    try {
      const OutputTarget target = DecideOutput(name, options_.makeDevice);
      for (const auto& [identity, file] :
           {std::pair{target.mif, target.files.mif}, std::pair{target.mid, target.files.mid}}) {
        const int source = identity ? sources_.Find(*identity) : -1;
        if (source >= 0) {
          throw OutputIsSourceError(file, MifPath(inputs_.Source(source)), source, count_);
        }
      }
      outputExisted_ = target.mif || target.mid;
      output_.Open(target, options_.makeDevice, check_);
      decided_ = true;
      for (const std::string& line : report_.outputHeader) output_.Mif().WriteLine(line);
    } catch (Exception& error) {
      if (!check_) {
        error.SetPlace(OutputPlace());
        throw;
      }
      report_.outputProblems.push_back(DescribeError(error));
      output_.OpenNull();
    }
  }

  void MergeSource(int index) {
    const SourceParts parts = SourceOf(index);
    inputs_.SourceStarting(index);
    const std::string outputName = inputs_.OutputName();
    const bool utf8 = inputs_.Utf8Option();
    if (index == 0) {
      StartOutput(outputName);
    } else if (!check_ && outputName != outputName_) {
      EMergeError error = OutputNameChangedError(outputName);
      error.SetPlace({ErrorPlace::Kind::Output, -1, count_, outputName});
      throw error;
    }
    SourceReader reader(parts, options_.makeDevice);
    SourceReport report;
    report.names = reader.Names();
    report.layerName = reader.LayerName();
    if (check_) report.problems = std::move(firstPassProblems_[index]);
    Attempt(index, parts, report.problems, [&] { Copy(index, reader, utf8, report); });
    if (!check_) {
      ++whole_;
      output_.Mark();  // a later failure cuts back to here
      for (const std::u16string& warning : report.warnings) inputs_.Warning(warning);
    }
    inputs_.SourceDone(index, report);
  }

  void Copy(int index, SourceReader& reader, bool utf8, SourceReport& report) {
    reader.OpenMif();
    const MifHeader& header = reader.ReadHeader();
    report.names = reader.Names();
    Describe(header, report);
    // A source that became one of the output's files since the first pass.
    if (output_.IsOutputFile(reader.MifFacts().identity)) {
      EMergeError error = OutputIsSourceError(report.names.mif, report.names.mif, index, count_);
      error.SetPlace(OutputPlace());
      throw error;
    }
    SourceLayout layout;
    layout.noColumns = header.columns.empty();
    if (schema_) {
      layout = FitSource(*schema_, header, report.names.mif, reader.LayerName());
      Lay(layout, header, report);
    }
    CopyRequest request;
    request.utf8 = utf8;
    request.layerValue = QuotedLayerValue(reader.LayerName());
    request.delimiter = schema_ ? schema_->delimiter : '\t';
    request.progress = [&](std::uint64_t bytes) { inputs_.BytesMerged(report_.bytes + bytes); };
    const CopyResult result = CopySource(reader, layout, request, output_.Mif(), output_.Mid());
    report_.bytes += result.bytesRead;
    report.names = reader.Names();
    report.objects = result.objects;
    report.rows = result.rows;
    for (const std::u16string& problem : UnpairedProblems(result, reader)) {
      if (!check_) throw EMergeError(problem);
      report.problems.push_back(problem);
    }
    report.warnings = SourceWarnings(reader, layout, result);
    report_.objects += result.objects;
    // The last source closes the pair: a close that fails is its own.
    if (index + 1 == count_) {
      output_.Close();
    } else {
      output_.Flush();
    }
  }

  // After an error: the whole sources before the failing one put in place,
  // or the output left as it was. Gives which, to tell with the error.
  std::u16string Abandon() {
    if (check_) return {};
    if (whole_ == 0 || !output_.IsOpen()) {
      output_.Discard();
      return UnchangedText();
    }
    try {
      output_.CutBack();
      output_.Commit();
    } catch (Exception& second) {
      output_.Discard();
      second.SetPlace(OutputPlace());
      second.SetOutputState(UnchangedText());
      throw;
    }
    return u"出力 " + OutputShown() + u" には入力 1〜" + Number(whole_) + u" (" + Number(count_) +
           u" 個中) を書きました";
  }

  void PutInPlace() {
    try {
      output_.Commit();
    } catch (const EInOutError& error) {  // the .mif was not replaced
      output_.Discard();
      EInOutError marked = error;
      marked.SetPlace(OutputPlace());
      marked.SetOutputState(UnchangedText());
      throw marked;
    } catch (Exception& error) {  // the .mif was, its .mid not: the message says
      error.SetPlace(OutputPlace());
      throw;
    }
  }

  std::u16string UnchangedText() const {
    if (!decided_) return u"出力は書いていません";
    return outputExisted_ ? u"出力 " + OutputShown() + u" は以前のままです"
                          : u"出力 " + OutputShown() + u" は作っていません";
  }

  std::u16string OutputShown() const { return PathDisplay(OutputPairNames(outputName_).mif); }

  MergeInputs& inputs_;
  const MergeOptions& options_;
  const bool check_;
  int count_ = 0;
  SchemaBuilder builder_;
  std::optional<OutputSchema> schema_;
  SourceIdentities sources_;
  // The check's problems of the first pass, until their source's report.
  std::map<int, std::vector<std::u16string>> firstPassProblems_;
  std::vector<std::u16string> raised_;  // the merge's: never filled, it raises
  OutputPair output_;
  std::string outputName_;
  bool decided_ = false;
  bool outputExisted_ = false;
  int whole_ = 0;  // sources written out whole
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
