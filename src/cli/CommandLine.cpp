#include "cli/CommandLine.h"

#include <string_view>

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
  bool* flag = name == "--utf8"                    ? &line.utf8
               : name == "--quiet" || name == "-q" ? &line.quiet
               : name == "--check"                 ? &line.check
               : name == "--help" || name == "-h"  ? &line.help
               : name == "--version"               ? &line.version
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
  return line;
}

const char* UsageText() {
  return "使い方: mifjoin [--utf8] [--quiet] [--columns union|intersection] -o OUTPUT "
         "SOURCE.mif...\n"
         "       mifjoin [--utf8] [--quiet] [--columns ...] -o OUTPUT --from-list FILE\n"
         "       mifjoin --check [--utf8] [--columns ...] [-o OUTPUT] SOURCE.mif...\n"
         "\n"
         "MIF/MID の組を入力の順に結合し、OUTPUT.mif と OUTPUT.mid に書きます。\n"
         "列は名前で合わせ、先頭に各入力のファイル名からのレイヤー名の LAYER 列が加わります。\n"
         "\n"
         "  -o, --output OUTPUT  出力ファイル名 (.mif で終わらない名前には .mif を付けます)\n"
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
