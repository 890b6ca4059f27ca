#include "cli/Mifjoin.h"

#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/ProgressLine.h"
#include "cli/SourceList.h"
#include "file/InOutError.h"
#include "merge/MergeError.h"
#include "merge/MergeRun.h"
#include "merge/OutputTarget.h"
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
// the way on for columns, where the run was, and what its output holds.
std::string ErrorLine() {
  std::string line = "mifjoin: " + EncodeUtf8(CurrentErrorText());
  try {
    throw;
  } catch (const Exception& error) {
    if (dynamic_cast<const EColumnsError*>(&error) != nullptr) {
      line += "。--columns union で、すべての列を名前で合わせて結合できます";
    }
    const ErrorPlace& place = error.Place();
    if (place.kind == ErrorPlace::Kind::Source) {
      line +=
          " [" + EncodeUtf8(SourcePlace(place.index, place.count)) + ": " + Shown(place.path) + "]";
    } else if (place.kind == ErrorPlace::Kind::Output) {
      line += " [出力: " + Shown(place.path) + "]";
    }
    if (!error.OutputState().empty()) line += "。" + EncodeUtf8(error.OutputState());
  } catch (...) {
  }
  return line + "\n";
}

class CommandInputs : public MergeInputs {
 public:
  CommandInputs(const std::vector<std::string>& sources, const CommandLine& line,
                std::string output, ProgressLine& progress, std::ostream& err)
      : sources_(sources),
        output_(std::move(output)),
        utf8_(line.utf8),
        progress_(progress),
        err_(err) {
    for (const std::string& source : sources_) parts_.push_back(MakeSourceParts(source));
  }
  int SourceCount() override { return static_cast<int>(parts_.size()); }
  SourceParts Source(int index) override { return parts_[static_cast<std::size_t>(index)]; }
  void SourceExamining(int index) override { SourceStarting(index); }
  void SourceStarting(int index) override {
    current_ = index;
    progress_.SourceStarting(index, Shown(sources_[static_cast<std::size_t>(index)]));
  }
  std::string OutputName() override { return output_; }
  bool Utf8Option() override { return utf8_; }
  void BytesMerged(std::uint64_t total) override { progress_.BytesRead(total); }
  void Warning(const std::u16string& text) override {
    progress_.Clear();
    err_ << "mifjoin: 警告: " << EncodeUtf8(text) << " ["
         << EncodeUtf8(SourcePlace(current_, SourceCount())) << ": "
         << Shown(sources_[static_cast<std::size_t>(current_)]) << "]\n";
  }

 protected:
  const std::vector<std::string>& sources_;

 private:
  std::vector<SourceParts> parts_;
  std::string output_;
  bool utf8_;
  ProgressLine& progress_;
  std::ostream& err_;
  int current_ = 0;
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

// The check's line a source: what the merge would take from it.
class CheckInputs final : public CommandInputs {
 public:
  CheckInputs(const std::vector<std::string>& sources, const CommandLine& line, std::string output,
              ProgressLine& progress, std::ostream& out, std::ostream& err)
      : CommandInputs(sources, line, std::move(output), progress, err), out_(out) {}
  void SourceDone(int index, const SourceReport& report) override {
    clean_ = clean_ && report.problems.empty();
    out_ << sources_[static_cast<std::size_t>(index)] << "\tlayer="
         << (report.ownLayer ? std::string("(先頭の LAYER 列の値)") : Text(report.layerName))
         << "\tcolumns=" << (report.columnCount >= 0 ? std::to_string(report.columnCount) : "?")
         << "\tdelimiter=" << EncodeUtf8(DelimiterText(report.delimiter))
         << "\tcharset=" << (report.charset.empty() ? "-" : Text(report.charset));
    if (report.planned) out_ << "\tvalues=" << ValuesText(report);
    out_ << "\tobjects=" << Count(report.objects) << "\trows=" << Count(report.rows);
    for (const std::u16string& problem : report.problems) out_ << "\t" << EncodeUtf8(problem);
    for (const std::u16string& warning : report.warnings) {
      out_ << "\t警告: " << EncodeUtf8(warning);
    }
    out_ << (report.problems.empty() ? "\tOK\n" : "\n");
  }
  bool Clean() const { return clean_; }

 private:
  std::ostream& out_;
  bool clean_ = true;
};

void PrintOutput(const std::string& output, const RunReport& run, std::ostream& out) {
  for (const std::u16string& problem : run.outputProblems) {
    out << "出力\t" << Shown(output) << "\t" << EncodeUtf8(problem) << "\n";
  }
  if (run.outputHeader.empty()) return;
  out << "出力のヘッダー";
  if (!output.empty()) out << " (" << Shown(OutputPairNames(output).mif) << ")";
  out << ":\n";
  for (const std::string& line : run.outputHeader) out << "  " << Text(line) << "\n";
}

MergeOptions OptionsOf(const CommandLine& line) {
  MergeOptions options;
  options.columns = line.columns;
  return options;
}

int Check(const CommandLine& line, const std::vector<std::string>& sources,
          const std::string& output, std::ostream& out, std::ostream& err) {
  ProgressLine silent(err, false, 0);
  CheckInputs inputs(sources, line, output, silent, out, err);
  const RunReport run = CheckRun(inputs, OptionsOf(line));
  PrintOutput(output, run, out);
  return inputs.Clean() && run.outputProblems.empty() ? 0 : kFailed;
}

int Merge(const CommandLine& line, const std::vector<std::string>& sources,
          const std::string& output, std::ostream& err, const ProgressStyle& style) {
  ProgressLine meter(err, style.draw && !line.quiet, static_cast<int>(sources.size()),
                     style.escapes);
  CommandInputs inputs(sources, line, output, meter, err);
  RunReport run;
  try {
    run = RunMerge(inputs, OptionsOf(line));
  } catch (...) {
    meter.Clear();
    err << ErrorLine();
    return kFailed;
  }
  meter.Clear();
  if (!line.quiet) {
    const OutputNames names = OutputPairNames(output);
    char megabytes[32];
    std::snprintf(megabytes, sizeof megabytes, "%.1f", static_cast<double>(run.bytes) / 1e6);
    err << "mifjoin: " << sources.size() << " 個の入力 (" << megabytes << " MB、" << run.objects
        << " 個のオブジェクト) を " << Shown(names.mif) << " と " << Shown(names.mid)
        << " に結合しました\n";
  }
  return 0;
}

// The command line's output name: a name that ends in .mif, in any letter
// case, is that .mif; any other gets .mif after it (merged.2024 is
// merged.2024.mif), as a source's name does.
std::string OutputOf(const std::string& given) {
  if (given.empty()) return given;
  RefuseUnusableOutputName(given);  // before ".mif" hides an empty name
  return EndsWithIgnoringAsciiCase(given, ".mif") ? given : given + ".mif";
}

}  // namespace

int RunMifjoin(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
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
  try {
    std::vector<std::string> sources = line->sources;
    for (const std::string& list : line->listFiles) AddListedSources(list, sources);
    if (sources.empty()) {
      err << "mifjoin: 入力ファイルがありません (--from-list が空です)\n";
      return kUsage;
    }
    const std::string output = OutputOf(line->output);
    if (line->check) return Check(*line, sources, output, out, err);
    return Merge(*line, sources, output, err, style);
  } catch (...) {
    err << ErrorLine();
  }
  return kFailed;
}

}  // namespace mif
