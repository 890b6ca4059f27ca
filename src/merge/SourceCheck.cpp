#include "merge/SourceCheck.h"

#include <algorithm>
#include <optional>

#include "file/InOutError.h"
#include "file/TextLineFile.h"
#include "merge/MergeContext.h"
#include "merge/MergeError.h"
#include "merge/MergeRun.h"
#include "merge/OutputHeader.h"
#include "merge/PairMerge.h"
#include "merge/SourceCopy.h"
#include "merge/SourceReader.h"

namespace mif {

namespace {

// An output that keeps nothing: the check copies as the merge does.
class NullFileDevice final : public FileDevice {
 public:
  std::int32_t Open(const std::string&, FileOpenMode, FileFacts& facts) override {
    facts.kind = FileKind::Disk;
    return 0;
  }
  std::int32_t Fill(char*, std::size_t, std::size_t& count) override {
    count = 0;
    return 0;
  }
  std::int32_t Drain(const char*, std::size_t) override { return 0; }
  std::int32_t Size(std::uint64_t& size) override {
    size = 0;
    return 0;
  }
  std::int32_t Truncate(std::uint64_t) override { return 0; }
  std::int32_t Close() override { return 0; }
};

// Runs `step`, turning what it raises into a problem of the list.
template <typename Step>
bool Try(std::vector<std::u16string>& problems, const Step& step) {
  try {
    step();
    return true;
  } catch (const Exception& error) {
    problems.push_back(DescribeError(error));
  }
  return false;
}

// The first pass: every header into the plan, a refusal noted on its
// source.
std::optional<OutputSchema> Plan(MergeInputs& inputs, int count, MergeContext& context,
                                 std::vector<std::vector<std::u16string>>& problems) {
  const ColumnsMode mode = inputs.ColumnsOption();
  SchemaBuilder builder;
  for (int i = 0; i < count; ++i) {
    Try(problems[static_cast<std::size_t>(i)], [&] {
      const bool hadProblem = builder.ColumnProblem().has_value();
      ExamineSource(inputs.Source(i), i, context, builder);
      if (mode == ColumnsMode::First && !hadProblem && builder.ColumnProblem()) {
        throw *builder.ColumnProblem();
      }
    });
  }
  if (builder.Sources() == 0 || (mode == ColumnsMode::First && builder.ColumnProblem())) {
    return std::nullopt;
  }
  return builder.Plan(mode);
}

void Describe(const MifHeader& header, SourceReport& report) {
  report.columnCount = header.columnCount;
  report.delimiter = header.delimiter;
  report.charset = header.charset;
}

void Lay(const SourceLayout& layout, const MifHeader& header, SourceReport& report) {
  report.planned = true;
  for (const int value : layout.valueOf) {
    report.values.push_back(value >= 0 ? header.columns[static_cast<std::size_t>(value)].name
                                       : std::string());
  }
}

SourceReport CheckSource(int index, const SourceParts& parts, bool utf8,
                         const std::optional<OutputSchema>& schema, MergeContext& context) {
  SourceReport report;
  SourceReader reader(parts, index, context);
  report.names = reader.Names();
  report.layerName = reader.LayerName();
  Try(report.problems, [&] {
    const MifHeader& header = reader.OpenHeader();
    report.names = reader.Names();
    Describe(header, report);
    SourceLayout layout;
    if (schema) {
      layout = FitSource(*schema, header, report.names.mif, report.layerName);
      Lay(layout, header, report);
    }
    reader.OpenMid();
    report.names = reader.Names();
    TextLineFile outMif("", kMergeBufferSize, std::make_unique<NullFileDevice>());
    TextLineFile outMid("", kMergeBufferSize, std::make_unique<NullFileDevice>());
    outMif.CreateForWrite();
    outMid.CreateForWrite();
    const CopyResult result = CopySource(reader, layout, utf8, outMif, outMid, context);
    report.objects = result.objects;
    report.rows = result.rows;
    for (const std::u16string& problem : UnpairedProblems(result, reader)) {
      report.problems.push_back(problem);
    }
    report.warnings = CopyWarnings(result, reader);
  });
  return report;
}

}  // namespace

RunReport CheckRun(MergeInputs& inputs,
                   const std::function<void(int index, const SourceReport&)>& report) {
  const int count = inputs.SourceCount();
  MergeContext context;
  context.sourceCount = count;
  std::vector<std::vector<std::u16string>> problems(static_cast<std::size_t>(count));
  const std::optional<OutputSchema> schema = Plan(inputs, count, context, problems);
  const std::string output = inputs.OutputName();
  const bool utf8 = inputs.Utf8Option();
  for (int i = 0; i < count; ++i) {
    SourceReport source = CheckSource(i, inputs.Source(i), utf8, schema, context);
    // The first pass's problems first, each once.
    std::vector<std::u16string> all = problems[static_cast<std::size_t>(i)];
    for (std::u16string& problem : source.problems) {
      if (std::find(all.begin(), all.end(), problem) == all.end())
        all.push_back(std::move(problem));
    }
    source.problems = std::move(all);
    report(i, source);
  }
  RunReport run;
  if (!output.empty()) {
    Try(run.outputProblems, [&] { RefuseOutput(output, context); });
  }
  if (schema) run.outputHeader = OutputHeaderLines(*schema);
  return run;
}

}  // namespace mif
