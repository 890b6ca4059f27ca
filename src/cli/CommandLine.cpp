#include "cli/CommandLine.h"

#include <string_view>

#include "format/ColumnDef.h"
#include "format/ExactDecimal.h"
#include "platform/PathText.h"
#include "text/Cp932.h"

namespace mif {

namespace {

// Takes the value of an option that needs one: glued (-oFILE,
// --output=FILE) or the next argument.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, std::string_view glued,
               std::string& value) {
  if (!glued.empty()) {
    value = std::string(glued);
    return true;
  }
  if (i + 1 >= arguments.size()) return false;
  value = arguments[++i];
  return true;
}

bool Fail(CommandLineError& error, std::string message) {
  error.message = std::move(message);
  return false;
}

// A column name given on the command line, in code page 932; nothing for
// one that is empty, holds a quote or a line break, or that code page 932
// cannot hold.
std::optional<std::string> ColumnName(const std::string& argument) {
  const std::u16string text = PathDisplay(argument);
  const std::string name = EncodeCp932(text);
  if (name.empty() || DecodeCp932(name) != text ||
      name.find_first_of("\"\r\n") != std::string::npos) {
    return std::nullopt;
  }
  return name;
}

// Splits "--name=value" and "-xvalue" into the option's name and its
// glued value.
void SplitOption(std::string_view argument, std::string_view& name, std::string_view& glued,
                 bool& hasGlued) {
  const bool isLong = argument.rfind("--", 0) == 0;
  const std::size_t end = isLong ? argument.find('=') : 2;
  name = argument.substr(0, end);
  hasGlued = end < argument.size();
  glued = hasGlued ? argument.substr(end + (isLong ? 1 : 0)) : std::string_view();
}

bool ParseOption(const std::vector<std::string>& arguments, std::size_t& i, CommandLine& line,
                 CommandLineError& error) {
  std::string_view name, glued;
  bool hasGlued = false;
  SplitOption(arguments[i], name, glued, hasGlued);
  bool* flag = name == "--utf8"                        ? &line.utf8
               : name == "--quiet" || name == "-q"     ? &line.quiet
               : name == "--check"                     ? &line.check
               : name == "--help" || name == "-h"      ? &line.help
               : name == "--version"                   ? &line.version
               : name == "--per-layer"                 ? &line.perLayer
               : name == "--recursive" || name == "-r" ? &line.recursive
               : name == "--skip-duplicates"           ? &line.skipDuplicates
               : name == "--mesh"                      ? &line.mesh
                                                       : nullptr;
  if (flag != nullptr && !hasGlued) return *flag = true;
  std::string value;
  if (name == "-o" || name == "--output") {
    if (!TakeValue(arguments, i, glued, value))
      return Fail(error, "-o に出力ファイル名がありません");
    line.output = value;
    return true;
  }
  if (name == "--columns") {
    if (!TakeValue(arguments, i, glued, value) || (value != "union" && value != "intersection")) {
      return Fail(error, "--columns には union か intersection を指定します");
    }
    line.columns = value == "union" ? ColumnsMode::Union : ColumnsMode::Intersection;
    return true;
  }
  if (name == "--layer-column" || name == "--tile-column") {
    std::optional<std::string> column;
    if (TakeValue(arguments, i, glued, value)) column = ColumnName(value);
    if (!column) {
      return Fail(error,
                  std::string(name) +
                      " には、引用符も改行も含まない、コードページ 932 で書ける列名を指定します");
    }
    (name == "--layer-column" ? line.added.layer : line.added.tile) = *column;
    return true;
  }
  if (name == "--mesh-allowance") {
    const std::optional<ExactDecimal> percent =
        TakeValue(arguments, i, glued, value) ? ParseExactDecimal(value) : std::nullopt;
    if (!percent || CompareTimes(*percent, 1, 0) < 0 || CompareTimes(*percent, 1, 100) > 0) {
      return Fail(error, "--mesh-allowance には 0 から 100 までのパーセントを指定します");
    }
    line.meshAllowance = FloorTimes(*percent, 100);
    line.mesh = true;
    return true;
  }
  if (name == "--report" || name == "--expected" || name == "--coverage") {
    if (!TakeValue(arguments, i, glued, value) || value.empty()) {
      return Fail(error, std::string(name) + " にファイル名がありません");
    }
    (name == "--report"     ? line.report
     : name == "--expected" ? line.expected
                            : line.coverage) = value;
    line.mesh = line.mesh || name != "--report";
    return true;
  }
  if (name == "--from-list") {
    if (!TakeValue(arguments, i, glued, value)) {
      return Fail(error, "--from-list にファイル名がありません");
    }
    line.listFiles.push_back(value);
    return true;
  }
  return Fail(error, "不明なオプションです: " + arguments[i]);
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments,
                                            CommandLineError& error) {
  CommandLine line;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      line.sources.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (!ParseOption(arguments, i, line, error)) {
      return std::nullopt;
    }
  }
  if (line.help || line.version) return line;
  if (line.sources.empty() && line.listFiles.empty()) {
    error.message = "入力ファイルがありません";
    return std::nullopt;
  }
  if (line.output.empty() && !line.check) {
    error.message = "出力ファイル名の指定がありません (-o)";
    return std::nullopt;
  }
  if (!line.report.empty() && line.report == line.coverage) {
    error.message = "--report と --coverage に同じファイルは指定できません";
    return std::nullopt;
  }
  if (SameColumnName(line.added.layer, line.added.tile)) {
    error.message = "--layer-column と --tile-column に同じ名前は付けられません";
    return std::nullopt;
  }
  return line;
}

const char* UsageText() {
  return "使い方: mifjoin [OPTION...] -o OUTPUT SOURCE...\n"
         "       mifjoin [OPTION...] -o OUTPUT --from-list FILE\n"
         "       mifjoin --check [OPTION...] [-o OUTPUT] SOURCE...\n"
         "\n"
         "MIF/MID の組を入力の順に結合し、OUTPUT.mif と OUTPUT.mid に書きます。\n"
         "列は名前で合わせ、先頭に各入力のファイル名からのレイヤー名の LAYER 列が加わります。\n"
         "SOURCE は .mif ファイル、フォルダー (中の .mif ファイルを名前の順に)、\n"
         "または * と ? を含むパターン (合う .mif ファイルをパスの順に) です。\n"
         "\n"
         "  -o, --output OUTPUT  出力ファイル名 (.mif で終わらない名前には .mif を付けます)\n"
         "      --per-layer      レイヤーごとに OUTPUT_レイヤー.mif に書きます\n"
         "                       (OUTPUT がフォルダーなら OUTPUT/レイヤー.mif)\n"
         "      --tile-column NAME\n"
         "                       レイヤー名の前の部分 (タイル) を NAME 列に入れます\n"
         "      --layer-column NAME\n"
         "                       加えるレイヤー名の列を LAYER ではなく NAME にします\n"
         "  -r, --recursive      フォルダーの中のフォルダーの .mif ファイルも入力にします\n"
         "      --skip-duplicates 同じファイルや、同じ名前で内容も同じ入力を 2 度目は結合しません\n"
         "      --mesh           タイルをメッシュコードとして読み、各入力の点がそのメッシュに\n"
         "                       あるかを調べ、レイヤーごとのメッシュの有無を報告します\n"
         "      --mesh-allowance PERCENT\n"
         "                       メッシュの外にはみ出してよい幅 (各辺、メッシュの %、既定 1)\n"
         "      --expected FILE  FILE の各行のメッシュコードを、あるはずのタイルとして比べます\n"
         "      --coverage FILE.svg\n"
         "                       メッシュの有無を色分けした図を FILE.svg に書きます\n"
         "      --report FILE    結果を JSON で FILE に書きます (失敗したときも)\n"
         "      --from-list FILE FILE の各行を入力の .mif ファイル名として読みます\n"
         "      --utf8           オブジェクト行を UTF-8 から SJIS (コードページ 932) に変換します\n"
         "      --columns union  列の違う入力を、すべての列を名前で合わせて結合します\n"
         "      --columns intersection\n"
         "                       すべての入力にある列だけで結合します\n"
         "      --check          何も書かずに、各入力と出力のヘッダーを調べて報告します\n"
         "  -q, --quiet          進行状況と結果の表示をしません\n"
         "  -h, --help           この説明を表示します\n"
         "      --version        版を表示します\n";
}

}  // namespace mif
