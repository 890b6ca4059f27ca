#include "cli/Mifjoin.h"

#include <cstdio>
#include <new>

#include "cli/CommandLine.h"
#include "cli/PathArgument.h"
#include "cli/ProgressLine.h"
#include "cli/SourceList.h"
#include "file/FileName.h"
#include "file/InOutError.h"
#include "merge/MergeError.h"
#include "merge/MergeRun.h"
#include "merge/PairMerge.h"
#include "merge/SourceCheck.h"
#include "merge/SourceEntry.h"
#include "text/Utf8.h"

#ifndef MIF_VERSION
#define MIF_VERSION "0"
#endif

namespace mif {

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

// A failure to report and leave with; its text is UTF-8.
struct Refusal {
  std::string message;
};

std::string ToCp932(const std::string& utf8Path) {
  std::string cp932;
  if (!PathToCp932(utf8Path, cp932)) {
    throw Refusal{"ファイル名をコードページ 932 で表せません: " + utf8Path};
  }
  return cp932;
}

ColumnsMode ColumnsModeOf(const std::string& option) {
  return option == "union"          ? ColumnsMode::Union
         : option == "intersection" ? ColumnsMode::Intersection
                                    : ColumnsMode::First;
}

class CommandInputs final : public MergeInputs {
 public:
  CommandInputs(const std::vector<std::string>& sources, const CommandLine& line,
                std::string output, ProgressLine& progress, std::ostream& err)
      : sources_(sources),
        output_(std::move(output)),
        utf8_(line.utf8),
        columns_(ColumnsModeOf(line.columns)),
        progress_(progress),
        err_(err) {
    // Refuses a path that cp932 cannot hold before anything is read or written.
    for (const std::string& source : sources_) parts_.push_back(MakeSourceParts(ToCp932(source)));
  }
  int SourceCount() override { return static_cast<int>(parts_.size()); }
  SourceParts Source(int index) override { return parts_[index]; }
  void SourceExamining(int index) override {
    current_ = index;
    progress_.SourceStarting(index, sources_[index]);
  }
  void SourceStarting(int index) override {
    current_ = index;
    progress_.SourceStarting(index, sources_[index]);
  }
  std::string OutputName() override { return output_; }
  bool Utf8Option() override { return utf8_; }
  ColumnsMode ColumnsOption() override { return columns_; }
  void BytesMerged(std::uint64_t total) override {
    bytes_ = total;
    progress_.BytesRead(total);
  }
  void Warning(const std::u16string& text) override {
    progress_.Clear();
    err_ << "mifjoin: 警告: " << EncodeUtf8(text) << Where() << "\n";
  }

  // Where the run stands, for messages.
  std::string Where() const {
    if (current_ < 0) return {};
    return " [" + EncodeUtf8(SourcePlace(current_, static_cast<int>(sources_.size()))) + ": " +
           sources_[current_] + "]";
  }
  // What the error is about: the output, or the source the run is at.
  std::string WhereOf(const Exception& error) const {
    if (IsOutputError(error, output_)) return " [出力: " + Cp932ToUtf8(output_) + "]";
    return Where();
  }
  std::uint64_t Bytes() const { return bytes_; }

 private:
  const std::vector<std::string>& sources_;
  std::vector<SourceParts> parts_;
  std::string output_;
  bool utf8_;
  ColumnsMode columns_;
  ProgressLine& progress_;
  std::ostream& err_;
  int current_ = -1;
  std::uint64_t bytes_ = 0;
};

std::string Count(std::int64_t count) { return count >= 0 ? std::to_string(count) : "?"; }

// The output columns' values of a source: its column's name, or "-".
std::string ValuesText(const SourceReport& report) {
  std::string text;
  for (const std::string& value : report.values) {
    if (!text.empty()) text += ',';
    text += value.empty() ? std::string("-") : Cp932ToUtf8(value);
  }
  return text;
}

void PrintSource(const std::string& source, const SourceReport& report, std::ostream& out) {
  out << source << "\tlayer=" << Cp932ToUtf8(report.layerName)
      << "\tcolumns=" << (report.columnCount >= 0 ? std::to_string(report.columnCount) : "?")
      << "\tdelimiter=" << EncodeUtf8(DelimiterText(report.delimiter))
      << "\tcharset=" << (report.charset.empty() ? "-" : Cp932ToUtf8(report.charset));
  if (report.planned) out << "\tvalues=" << ValuesText(report);
  out << "\tobjects=" << Count(report.objects) << "\trows=" << Count(report.rows);
  for (const std::u16string& problem : report.problems) out << "\t" << EncodeUtf8(problem);
  for (const std::u16string& warning : report.warnings) {
    out << "\t警告: " << EncodeUtf8(warning);
  }
  out << (report.problems.empty() ? "\tOK\n" : "\n");
}

void PrintOutput(const std::string& output, const RunReport& run, std::ostream& out) {
  for (const std::u16string& problem : run.outputProblems) {
    out << "出力\t" << Cp932ToUtf8(output) << "\t" << EncodeUtf8(problem) << "\n";
  }
  if (run.outputHeader.empty()) return;
  out << "出力のヘッダー";
  if (!output.empty()) out << " (" << Cp932ToUtf8(ChangeFileExtension(output, ".mif")) << ")";
  out << ":\n";
  for (const std::string& line : run.outputHeader) out << "  " << Cp932ToUtf8(line) << "\n";
}

int CheckSources(const std::vector<std::string>& sources, const CommandLine& line,
                 const std::string& output, std::ostream& out, std::ostream& err) {
  ProgressLine silent(err, false, 0);
  CommandInputs inputs(sources, line, output, silent, err);
  bool clean = true;
  const RunReport run = CheckRun(inputs, [&](int index, const SourceReport& report) {
    PrintSource(sources[index], report, out);
    clean = clean && report.problems.empty();
  });
  PrintOutput(output, run, out);
  return clean && run.outputProblems.empty() ? 0 : kFailed;
}

// What a user is told of the error being handled, with a hint where the
// columns could merge by name.
std::string ErrorText(const CommandInputs& inputs) {
  std::string text = EncodeUtf8(CurrentErrorText());
  try {
    throw;
  } catch (const EColumnsError&) {
    text += "。--columns union で、すべての列を名前で合わせて結合できます";
    text += inputs.Where();
  } catch (const Exception& error) {
    text += inputs.WhereOf(error);
  } catch (...) {
    text += inputs.Where();
  }
  return text;
}

int Merge(const CommandLine& line, const std::vector<std::string>& sources,
          const std::string& output, std::ostream& err, bool progress) {
  ProgressLine meter(err, progress && !line.quiet, static_cast<int>(sources.size()));
  CommandInputs inputs(sources, line, output, meter, err);
  try {
    RunMerge(inputs);
  } catch (...) {
    meter.Clear();
    err << "mifjoin: " << ErrorText(inputs) << "\n";
    return kFailed;
  }
  meter.Clear();
  if (!line.quiet) {
    char megabytes[32];
    std::snprintf(megabytes, sizeof megabytes, "%.1f", static_cast<double>(inputs.Bytes()) / 1e6);
    err << "mifjoin: " << sources.size() << " 個の入力 (" << megabytes << " MB) を "
        << Cp932ToUtf8(ChangeFileExtension(output, ".mif")) << " と "
        << Cp932ToUtf8(ChangeFileExtension(output, ".mid")) << " に結合しました\n";
  }
  return 0;
}

}  // namespace

int RunMifjoin(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
               bool progress) {
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
    for (const std::string& list : line->listFiles) AddListedSources(ToCp932(list), sources);
    if (sources.empty()) {
      err << "mifjoin: 入力ファイルがありません (--from-list が空です)\n";
      return kUsage;
    }
    // The output gets ".mif" as the window's output name does.
    std::string output;
    if (!line->output.empty()) {
      output = ToCp932(line->output);
      RefuseUnusableOutputName(output);  // before ".mif" hides an empty name
      output = ChangeFileExtension(output, ".mif");
    }
    if (line->check) return CheckSources(sources, *line, output, out, err);
    return Merge(*line, sources, output, err, progress);
  } catch (const Refusal& refusal) {
    err << "mifjoin: " << refusal.message << "\n";
  } catch (...) {
    err << "mifjoin: " << EncodeUtf8(CurrentErrorText()) << "\n";
  }
  return kFailed;
}

}  // namespace mif
