#include "cli/Mifjoin.h"

#include <cstdio>
#include <memory>

#include "cli/CommandLine.h"
#include "cli/ProgressLine.h"
#include "cli/ReportFile.h"
#include "cli/SourceList.h"
#include "file/InOutError.h"
#include "merge/CoveragePicture.h"
#include "merge/MergeError.h"
#include "merge/MergeRun.h"
#include "merge/OutputTarget.h"
#include "merge/PathList.h"
#include "merge/RunFacts.h"
#include "merge/SourceExpansion.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "text/AsciiCase.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

#ifndef MIF_VERSION
#define MIF_VERSION "0"
#endif

namespace mif {

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

// A path as the terminal shows it.
std::string Shown(const std::string& path) { return EncodeUtf8(PathDisplay(path)); }
// Code page 932 text of a header (a layer name, a column) as UTF-8.
std::string Text(const std::string& cp932) { return EncodeUtf8(DecodeCp932(cp932)); }

// The one place where an error becomes the line a user reads: the message,
// the way on for columns, where the run was, and what its outputs hold.
std::string ErrorLine() {
  std::string line = "mifjoin: " + EncodeUtf8(CurrentErrorText());
  try {
    throw;
  } catch (const Exception& error) {
    switch (error.Kind()) {
      case ErrorKind::Columns:
        line += "。--columns union で、すべての列を名前で合わせて結合できます";
        break;
      case ErrorKind::LayerColumn:
        line += "。--layer-column で、加える列に別の名前を付けられます";
        break;
      case ErrorKind::TileColumn:
        line += "。--tile-column で、加える列に別の名前を付けられます";
        break;
      case ErrorKind::Other:
      case ErrorKind::File:
        break;
    }
    const ErrorPlace& place = PlaceOf(error);
    if (place.kind == ErrorPlace::Kind::Source) {
      // The source's path once: most messages name it already.
      const bool named = place.path.empty() || line.find(Shown(place.path)) != std::string::npos;
      line += " [" + EncodeUtf8(SourcePlace(place.index, place.count)) +
              (named ? "" : ": " + Shown(place.path)) + "]";
    } else if (place.kind == ErrorPlace::Kind::Output) {
      line += " [出力: " + Shown(place.path) + "]";
    }
    if (!OutputStateOf(error).empty()) line += "。" + EncodeUtf8(OutputStateOf(error));
  } catch (...) {
  }
  return line + "\n";
}

class CommandInputs : public MergeInputs {
 public:
  CommandInputs(const PathList& sources, const CommandLine& line, std::string output,
                ProgressLine& progress, std::ostream& err, ReportFile* report)
      : sources_(sources),
        output_(std::move(output)),
        utf8_(line.utf8),
        quiet_(line.quiet),
        progress_(progress),
        err_(err),
        report_(report),
        done_(sources.Size(), false) {}
  int SourceCount() override { return static_cast<int>(sources_.Size()); }
  SourceParts Source(int index) override { return MakeSourceParts(Path(index)); }
  void SourceExamining(int index) override { SourceStarting(index); }
  void SourceStarting(int index) override { progress_.SourceStarting(index, Path(index)); }
  std::string OutputName() override { return output_; }
  bool Utf8Option() override { return utf8_; }
  void BytesMerged(std::uint64_t total) override { progress_.BytesRead(total); }
  void Warning(int index, const SourceWarning& warning) override {
    progress_.Clear();
    err_ << "mifjoin: 警告: " << EncodeUtf8(warning.text) << " ["
         << EncodeUtf8(SourcePlace(index, SourceCount())) << ": " << Shown(Path(index)) << "]\n";
  }
  void Note(int index, const std::u16string& note) override {
    if (quiet_) return;
    progress_.Clear();
    err_ << "mifjoin: 注: " << EncodeUtf8(note) << " ["
         << EncodeUtf8(SourcePlace(index, SourceCount())) << "]\n";
  }
  void SourceDone(int index, const SourceReport& report) override {
    done_[static_cast<std::size_t>(index)] = true;
    if (report_ != nullptr) report_->Source(index, Path(index), report);
  }
  void OutputDone(const OutputReport& report) override {
    outputs_.push_back({report.files, report.sources, report.objects, report.complete});
    if (report_ != nullptr) report_->Output(report);
  }

  // The sources the run never came to, for the report.
  void ReportNotReached() {
    if (report_ == nullptr) return;
    for (std::size_t i = 0; i < done_.size(); ++i) {
      if (!done_[i]) report_->NotReached(static_cast<int>(i), Path(static_cast<int>(i)));
    }
  }

  struct Written {
    SourcePairNames files;
    int sources;
    std::int64_t objects;
    bool complete;
  };
  const std::vector<Written>& Outputs() const { return outputs_; }

 protected:
  std::string Path(int index) const { return sources_[static_cast<std::size_t>(index)]; }

 private:
  const PathList& sources_;
  std::string output_;
  bool utf8_;
  bool quiet_;
  ProgressLine& progress_;
  std::ostream& err_;
  ReportFile* report_;
  std::vector<bool> done_;
  std::vector<Written> outputs_;
};

std::string Count(std::int64_t count) { return count >= 0 ? std::to_string(count) : "?"; }

// The output columns' values of a source: its column's name, or "-".
std::string ValuesText(const SourceReport& report) {
  std::string text;
  for (const std::string& value : report.values) {
    if (!text.empty()) text += ',';
    text += value.empty() ? std::string("-") : Text(value);
  }
  return text;
}

// The check's line a source, and its lines an output: what the merge would
// take and write.
class CheckInputs final : public CommandInputs {
 public:
  CheckInputs(const PathList& sources, const CommandLine& line, std::string output,
              ProgressLine& progress, std::ostream& out, std::ostream& err, ReportFile* report)
      : CommandInputs(sources, line, std::move(output), progress, err, report),
        out_(out),
        perLayer_(line.perLayer) {}
  // Told on the source's line instead.
  void Warning(int, const SourceWarning&) override {}
  void Note(int, const std::u16string&) override {}
  void SourceDone(int index, const SourceReport& report) override {
    CommandInputs::SourceDone(index, report);
    clean_ = clean_ && report.problems.empty();
    out_ << Path(index) << "\tlayer="
         << (report.ownAdded > 0 ? std::string("(先頭の列の値)") : Text(report.layerName));
    if (perLayer_) out_ << "\toutput=" << report.output + 1;
    out_ << "\tcolumns=" << (report.columnCount >= 0 ? std::to_string(report.columnCount) : "?")
         << "\tdelimiter=" << EncodeUtf8(DelimiterText(report.delimiter))
         << "\tcharset=" << (report.charset.empty() ? "-" : Text(report.charset))
         << "\tcharsetRead=" << (report.charsetRead.empty() ? "-" : Text(report.charsetRead));
    if (report.planned) out_ << "\tvalues=" << ValuesText(report);
    out_ << "\tobjects=" << Count(report.objects) << "\trows=" << Count(report.rows);
    if (report.status == SourceStatus::Skipped) out_ << "\t結合しない (重複)";
    for (const std::u16string& problem : report.problems) out_ << "\t" << EncodeUtf8(problem);
    for (const SourceWarning& warning : report.warnings) {
      out_ << "\t警告: " << EncodeUtf8(warning.text);
    }
    out_ << (report.problems.empty() ? "\tOK\n" : "\n");
  }
  void OutputDone(const OutputReport& report) override {
    CommandInputs::OutputDone(report);
    if (report.header.empty()) return;
    out_ << "出力のヘッダー";
    if (perLayer_)
      out_ << " " << report.index + 1 << " (レイヤー " << EncodeUtf8(report.layer) << ")";
    if (!report.files.mif.empty()) out_ << " (" << Shown(report.files.mif) << ")";
    out_ << ":\n";
    for (const std::string& line : report.header) out_ << "  " << Text(line) << "\n";
  }
  bool Clean() const { return clean_; }

 private:
  std::ostream& out_;
  bool perLayer_;
  bool clean_ = true;
};

// Reads the --expected list.
MergeOptions OptionsOf(const CommandLine& line) {
  MergeOptions options;
  options.columns = line.columns;
  options.perLayer = line.perLayer;
  options.added = line.added;
  options.skipDuplicates = line.skipDuplicates;
  options.mesh = line.mesh ? MeshTiles::Required : MeshTiles::Off;
  options.meshAllowance = line.meshAllowance;
  options.lookAhead = true;
  options.outputNaming = OutputNaming::AddMif;
  options.reportPath = line.report;
  options.coveragePath = line.coverage;
  if (!line.expected.empty()) options.expectedMeshes = ReadExpectedMeshes(line.expected);
  return options;
}

void PrintOutputProblems(const std::string& output, const RunReport& run, std::ostream& out) {
  for (const std::u16string& problem : run.outputProblems) {
    out << "出力\t" << Shown(output) << "\t" << EncodeUtf8(problem) << "\n";
  }
  for (const std::u16string& note : run.outputNotes) {
    out << "出力\t" << Shown(output) << "\t注: " << EncodeUtf8(note) << "\n";
  }
}

// What the run wrote: each output with its sources and objects.
void PrintWritten(const CommandInputs& inputs, const RunReport& run, std::ostream& err) {
  char megabytes[32];
  std::snprintf(megabytes, sizeof megabytes, "%.1f", static_cast<double>(run.bytes) / 1e6);
  err << "mifjoin: " << run.sources << " 個の入力 (" << megabytes << " MB、" << run.objects
      << " 個のオブジェクト) を";
  const auto& outputs = inputs.Outputs();
  if (outputs.size() == 1) {
    err << " " << Shown(outputs[0].files.mif) << " と " << Shown(outputs[0].files.mid)
        << " に結合しました\n";
    return;
  }
  err << " " << outputs.size() << " 個の出力に結合しました\n";
  for (const auto& written : outputs) {
    err << "  " << Shown(written.files.mif) << ": " << written.sources << " 個の入力、"
        << written.objects << " 個のオブジェクト\n";
  }
}

// The output name the report tells: with --per-layer as given (a folder, or
// the front of each layer's name), otherwise the output's .mif.
std::string ReportedOutput(const CommandLine& line) {
  const std::string& given = line.output;
  if (given.empty() || line.perLayer) return given;
  return OutputMifName(given, OutputNaming::AddMif);
}

// The sources of the arguments and the lists, each expanded; in `empty`
// the first folder argument that holds no .mif.
PathList SourcesOf(const CommandLine& line, std::string& emptyFolder) {
  PathList sources;
  for (const std::string& source : line.sources) {
    const std::size_t before = sources.Size();
    ExpandSource(source, line.recursive, sources);
    if (sources.Size() == before && emptyFolder.empty() && IsDirectory(source)) {
      emptyFolder = source;
    }
  }
  for (const std::string& list : line.listFiles) {
    AddListedSources(
        list, [&](const std::string& source) { ExpandSource(source, line.recursive, sources); });
  }
  sources.Shrink();
  return sources;
}

// The set's coverage into the report and the picture, which describe the
// run, the check's too.
void TellCoverage(const CommandLine& line, const RunReport& run, ReportFile* report) {
  if (report != nullptr) report->Coverage(run.coverage);
  if (!line.coverage.empty() && run.coverage) WriteCoveragePicture(*run.coverage, line.coverage);
}

int Run(const CommandLine& line, const PathList& sources, const std::string& output,
        std::ostream& out, std::ostream& err, const ProgressStyle& style, ReportFile* report) {
  const MergeOptions options = OptionsOf(line);
  if (line.check) {
    ProgressLine silent(err, false, 0);
    CheckInputs inputs(sources, line, output, silent, out, err, report);
    const RunReport run = CheckRun(inputs, options);
    PrintOutputProblems(output, run, out);
    TellCoverage(line, run, report);
    return inputs.Clean() && run.outputProblems.empty() ? 0 : kFailed;
  }
  ProgressLine meter(err, style.draw && !line.quiet, static_cast<int>(sources.Size()),
                     style.escapes);
  CommandInputs inputs(sources, line, output, meter, err, report);
  try {
    const RunReport run = RunMerge(inputs, options);
    meter.Clear();
    TellCoverage(line, run, report);
    if (!line.quiet) {
      for (const std::u16string& note : run.outputNotes)
        err << "mifjoin: 注: " << EncodeUtf8(note) << "\n";
      PrintWritten(inputs, run, err);
    }
  } catch (...) {
    meter.Clear();
    inputs.ReportNotReached();
    throw;
  }
  return 0;
}

// Puts the report in place, if there is one; a report that cannot be is a
// failure of the run.
int FinishReport(ReportFile* report, int code, const Exception* error,
                 const std::u16string& errorText, std::ostream& err) {
  if (report == nullptr) return code;
  try {
    report->Finish(code, error, errorText);
  } catch (...) {
    err << ErrorLine();
    return kFailed;
  }
  return code;
}

// cmd.exe hands "C:\tiles\" -o x over as one argument, C:\tiles" -o x:
// the program's own parsing takes \" for a quote in the name. Said after a
// failure that an argument holding a quote may explain.
void ExplainQuotes(const std::vector<std::string>& arguments, std::ostream& err) {
  for (const std::string& argument : arguments) {
    if (argument.find('"') == std::string::npos) continue;
    err << "mifjoin: 注: 引数 「" << EncodeUtf8(PathDisplay(argument))
        << "」 に \" があります。cmd.exe では \\ で終わる名前を \"C:\\tiles\\\" "
           "のように囲むと、最後の \\\" が \" という文字になり、後ろの引数までつながります。"
           "最後の \\ を取るか (\"C:\\tiles\")、\\\\ と書いてください (\"C:\\tiles\\\\\")\n";
    return;
  }
}

int RunArguments(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                 const ProgressStyle& style) {
  CommandLineError usage;
  const std::optional<CommandLine> line = ParseCommandLine(arguments, usage);
  if (!line) {
    err << "mifjoin: " << usage.message << "\n\n" << UsageText();
    return kUsage;
  }
  if (line->help) {
    out << UsageText();
    return 0;
  }
  if (line->version) {
    out << "mifjoin " << MIF_VERSION << "\n";
    return 0;
  }
  std::unique_ptr<ReportFile> report;
  try {
    if (!line->report.empty()) {
      report = std::make_unique<ReportFile>(line->report, *line, ReportedOutput(*line));
    }
    std::string emptyFolder;
    const PathList sources = SourcesOf(*line, emptyFolder);
    if (sources.Empty()) {
      const std::u16string text = emptyFolder.empty()
                                      ? u"入力ファイルがありません (--from-list が空です)"
                                      : u"入力ファイルがありません (" + PathDisplay(emptyFolder) +
                                            u" に .mif ファイルがありません)";
      err << "mifjoin: " << EncodeUtf8(text) << "\n";
      return FinishReport(report.get(), kUsage, nullptr, text, err);
    }
    const int code = Run(*line, sources, line->output, out, err, style, report.get());
    return FinishReport(report.get(), code, nullptr, {}, err);
  } catch (...) {
    err << ErrorLine();
    try {
      throw;
    } catch (const Exception& error) {
      if (PlaceOf(error).kind == ErrorPlace::Kind::Report) return kFailed;  // never over it
      return FinishReport(report.get(), kFailed, &error, DescribeError(error), err);
    } catch (...) {
      return FinishReport(report.get(), kFailed, nullptr, CurrentErrorText(), err);
    }
  }
}

}  // namespace

int RunMifjoin(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
               const ProgressStyle& style) {
  const int code = RunArguments(arguments, out, err, style);
  if (code != 0) ExplainQuotes(arguments, err);
  return code;
}

}  // namespace mif
