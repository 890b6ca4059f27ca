#include "cli/Mifjoin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "ScratchDir.h"
#include "cli/CommandLine.h"

namespace mif {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

struct Result {
  int code;
  std::string out, err;
};

Result RunCommand(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int code = RunMifjoin(arguments, out, err, {});
  return {code, out.str(), err.str()};
}

const std::string kHeader = "Version 300\r\nColumns 1\r\n  ID Integer\r\nData\r\n";

TEST(CommandLineParse, GnuStyle) {
  CommandLineError error;
  auto line =
      ParseCommandLine({"a.mif", "--utf8", "-oout", "--from-list=l.txt", "--", "-b.mif"}, error);
  ASSERT_TRUE(line);
  EXPECT_TRUE(line->utf8);
  EXPECT_EQ(line->output, "out");
  EXPECT_EQ(line->listFiles, std::vector<std::string>({"l.txt"}));
  EXPECT_EQ(line->sources, std::vector<std::string>({"a.mif", "-b.mif"}));
  line = ParseCommandLine({"--output", "o", "--quiet", "x.mif"}, error);
  ASSERT_TRUE(line);
  EXPECT_EQ(line->output, "o");
  EXPECT_TRUE(line->quiet);
  EXPECT_FALSE(ParseCommandLine({"--utf8=yes", "-o", "o", "x"}, error));
  EXPECT_FALSE(ParseCommandLine({"x.mif", "-o"}, error));
  EXPECT_FALSE(ParseCommandLine({"--frobnicate"}, error));
  EXPECT_FALSE(ParseCommandLine({"-o", "out"}, error));  // no sources
  EXPECT_FALSE(ParseCommandLine({"x.mif"}, error));      // no output
  EXPECT_TRUE(ParseCommandLine({"--check", "x.mif"}, error));
  line = ParseCommandLine({"--columns=union", "-o", "o", "x.mif"}, error);
  ASSERT_TRUE(line);
  EXPECT_EQ(line->columns, ColumnsMode::Union);
  EXPECT_EQ(ParseCommandLine({"--columns", "intersection", "-o", "o", "x"}, error)->columns,
            ColumnsMode::Intersection);
  EXPECT_FALSE(ParseCommandLine({"--columns", "all", "-o", "o", "x.mif"}, error));
}

// The allowance in percent of the mesh, kept in hundredths of a percent;
// giving it asks for the check.
TEST(CommandLineParse, MeshAllowance) {
  CommandLineError error;
  auto line = ParseCommandLine({"--mesh", "-o", "o", "x.mif"}, error);
  ASSERT_TRUE(line);
  EXPECT_TRUE(line->mesh);
  EXPECT_EQ(line->meshAllowance, 100);
  line = ParseCommandLine({"--mesh-allowance=0.5", "-o", "o", "x.mif"}, error);
  ASSERT_TRUE(line);
  EXPECT_TRUE(line->mesh);
  EXPECT_EQ(line->meshAllowance, 50);
  EXPECT_EQ(ParseCommandLine({"--mesh-allowance", "0", "-o", "o", "x"}, error)->meshAllowance, 0);
  for (const char* bad : {"-1", "100.01", "1%", "", "x"}) {
    EXPECT_FALSE(ParseCommandLine({"--mesh-allowance", bad, "-o", "o", "x.mif"}, error)) << bad;
  }
  // The coverage options ask for it too; the report and the picture are two files.
  EXPECT_TRUE(ParseCommandLine({"--expected", "m.txt", "-o", "o", "x.mif"}, error)->mesh);
  EXPECT_TRUE(ParseCommandLine({"--coverage=c.svg", "-o", "o", "x.mif"}, error)->mesh);
  EXPECT_FALSE(ParseCommandLine({"--report", "r", "-o", "o", "x.mif"}, error)->mesh);
  EXPECT_FALSE(ParseCommandLine({"--coverage", "r", "--report", "r", "-o", "o", "x"}, error));
}

// A line of the list of tiles meant that is no mesh code is refused with
// its number, before anything is written; spaces about a code are not.
TEST(Mifjoin, AnExpectedListIsReadAsMeshCodes) {
  ScratchDir dir;
  WriteBytes(dir.File("53394611__ROAD.mif"),
             "Version 300\r\nColumns 1\r\n  ID Integer\r\nData\r\n");
  WriteBytes(dir.File("53394611__ROAD.mid"), "");
  WriteBytes(dir.File("good.txt"), "\xEF\xBB\xBF 53394611\t\r\n\r\n5339\r\n");
  WriteBytes(dir.File("bad.txt"), "53394611\n533948\n");
  EXPECT_EQ(RunCommand({"-q", "--expected", dir.File("good.txt"), "-o", dir.File("o"),
                        dir.File("53394611__ROAD.mif")})
                .code,
            0);
  const Result bad = RunCommand({"-q", "--expected", dir.File("bad.txt"), "-o", dir.File("p"),
                                 dir.File("53394611__ROAD.mif")});
  EXPECT_EQ(bad.code, 1);
  EXPECT_NE(bad.err.find("メッシュコードではありません (2 行目: 「533948」): "), std::string::npos)
      << bad.err;
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("p.mif"))));
}

TEST(Mifjoin, UsageErrorsExitWith2) {
  const Result result = RunCommand({"--nope"});
  EXPECT_EQ(result.code, 2);
  EXPECT_NE(result.err.find("使い方"), std::string::npos);
  EXPECT_EQ(RunCommand({"--help"}).code, 0);
  EXPECT_EQ(RunCommand({"--version"}).out.rfind("mifjoin ", 0), 0u);
}

// cmd.exe hands "C:\tiles\" -o out over as one argument holding a quote:
// the failure explains it; a run that goes through says nothing of it.
TEST(Mifjoin, AQuoteInAnArgumentIsExplainedAfterAFailure) {
  const Result quoted = RunCommand({"C:\\tiles\" -o out"});
  EXPECT_EQ(quoted.code, 2);
  EXPECT_NE(quoted.err.find("mifjoin: 注: 引数 「C:\\tiles\" -o out」 に \" があります"),
            std::string::npos)
      << quoted.err;
#ifndef _WIN32  // where a name may hold a quote
  ScratchDir dir;
  WriteBytes(dir.File("a\"b__A.mif"), kHeader);
  WriteBytes(dir.File("a\"b__A.mid"), "");
  const Result merged = RunCommand({"-q", "-o", dir.File("out"), dir.File("a\"b__A.mif")});
  EXPECT_EQ(merged.code, 0);
  EXPECT_EQ(merged.err.find("注: 引数"), std::string::npos);
#endif
}

TEST(Mifjoin, MergesSourcesAndListsInOrder) {
  ScratchDir dir;
  WriteBytes(dir.File("1__A.mif"), kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("1__A.mid"), "1\r\n");
  WriteBytes(dir.File("2__B.mif"), kHeader + "Point 2 2\r\n");
  WriteBytes(dir.File("2__B.mid"), "2\r\n");
  WriteBytes(dir.File("list.txt"), dir.File("2__B.mif") + "\r\n\r\n" + dir.File("1__A.mif") + "\n");
  // A name that does not end in .mif gets it after it, as a source's does:
  // merged.2024 would otherwise overwrite merged.mif.
  const Result result = RunCommand(
      {"-o", dir.File("out.2024"), dir.File("1__A.mif"), "--from-list", dir.File("list.txt")});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(ReadBytes(dir.File("out.2024.mid")), "\"A\"\t1\r\n\"B\"\t2\r\n\"A\"\t1\r\n");
  EXPECT_NE(result.err.find("out.2024.mif"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.mif")));
  EXPECT_TRUE(RunCommand({"-q", "-o", dir.File("q"), dir.File("1__A.mif")}).err.empty());
  WriteBytes(dir.File("empty.txt"), "\r\n");
  EXPECT_EQ(RunCommand({"-o", dir.File("e"), "--from-list", dir.File("empty.txt")}).code, 2);
  EXPECT_EQ(RunCommand({"-o", dir.File("e"), "--from-list", dir.File("none.txt")}).code, 1);
}

TEST(Mifjoin, FailureNamesMessageCodeAndSource) {
  ScratchDir dir;
  WriteBytes(dir.File("1__A.mif"), kHeader);
  const Result result = RunCommand({"-o", dir.File("out"), dir.File("1__A.mif")});
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("ファイルが見つかりません (コード 2)"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("1__A.mid"), std::string::npos);
  EXPECT_NE(result.err.find("[入力 1/1: " + dir.File("1__A.mif") + "]。出力は書いていません\n"),
            std::string::npos)
      << result.err;
  // A message that names the source's .mif names it once.
  WriteBytes(dir.File("2__B.mif"), "Version 300\r\nColumns 1\r\n");  // no Data
  const Result named = RunCommand({"-o", dir.File("out"), dir.File("2__B.mif")});
  const std::size_t first = named.err.find(dir.File("2__B.mif"));
  ASSERT_NE(first, std::string::npos) << named.err;
  EXPECT_EQ(named.err.find(dir.File("2__B.mif"), first + 1), std::string::npos) << named.err;
  EXPECT_NE(named.err.find("[入力 1/1]"), std::string::npos) << named.err;
}

// A run killed between its two renames leaves a new .mif beside the old
// .mid, the new .mid under its temporary name: the check and the next run
// say so, and the run puts both in place.
TEST(Mifjoin, AnOutputLeftHalfPutInPlaceIsTold) {
  ScratchDir dir;
  WriteBytes(dir.File("1__A.mif"), kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("1__A.mid"), "1\r\n");
  WriteBytes(dir.File("out.mif"), "new");
  WriteBytes(dir.File("out.mid"), "old");
  WriteBytes(dir.File("out.mid.mifjoin-tmp"), "new");
  const Result check = RunCommand({"--check", "-o", dir.File("out"), dir.File("1__A.mif")});
  EXPECT_EQ(check.code, 0) << check.err;
  EXPECT_NE(check.out.find("\t注: 前回の結合は .mif と .mid を置き換える間で止まっていました"),
            std::string::npos)
      << check.out;
  // The check keeps the new .mid it did not make.
  EXPECT_EQ(ReadBytes(dir.File("out.mid.mifjoin-tmp")), "new");
  const Result run = RunCommand({"-o", dir.File("out"), dir.File("1__A.mif")});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.err.find("mifjoin: 注: 前回の結合は"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"A\"\t1\r\n");
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("out.mid.mifjoin-tmp"))));
}

// Names used to be refused when code page 932 could not hold them: a
// folder of müller, a name a Japanese archive unzips as raw code page 932
// bytes (道路 93 B9 98 48). Only the layer value is converted.
TEST(Mifjoin, NamesCodePage932CannotHoldAreMerged) {
  ScratchDir dir;
  std::filesystem::create_directory(testing::Utf8Path(dir.File("müller")));
#ifdef _WIN32
  const std::string raw = dir.File("2__道路.mif");  // Windows names are wide
#else
  const std::string raw = dir.Folder() + "2__\x93\xB9\x98\x48.mif";
#endif
  const std::vector<std::string> sources = {dir.File("müller/1__A.mif"), raw, dir.File("3__ā.mif")};
  for (const std::string& source : sources) {
    WriteBytes(source, kHeader + "Point 1 1\r\n");
    WriteBytes(source.substr(0, source.size() - 4) + ".mid", "1\r\n");
  }
  std::vector<std::string> arguments = {"-o", dir.File("müller/out")};
  arguments.insert(arguments.end(), sources.begin(), sources.end());
  const Result result = RunCommand(arguments);
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(ReadBytes(dir.File("müller/out.mid")),
            "\"A\"\t1\r\n\"\x93\xB9\x98\x48\"\t1\r\n\"?\"\t1\r\n");
  // ā (U+0101) has no form in code page 932: said, naming the file.
  EXPECT_NE(result.err.find("mifjoin: 警告: ファイル名の 1 文字はコードページ 932 にないため、"
                            "レイヤー名では ? にしました: " +
                            dir.File("3__ā.mif")),
            std::string::npos)
      << result.err;
}

TEST(Mifjoin, JapaneseFileNamesWork) {
  ScratchDir dir;
  WriteBytes(dir.File("53394611__道路.mif"), kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("53394611__道路.mid"), "1\r\n");
  const Result result = RunCommand({"-o", dir.File("結合"), dir.File("53394611__道路.mif")});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(ReadBytes(dir.File("結合.mid")), "\"\x93\xB9\x98\x48\"\t1\r\n");  // 道路 in cp932
}

TEST(Mifjoin, CheckReportsEachSourceAndTheOutputAndWritesNothing) {
  ScratchDir dir;
  WriteBytes(dir.File("1__A.mif"), "Delimiter \";\"\r\n" + kHeader);
  WriteBytes(dir.File("1__A.mid"), "");
  WriteBytes(dir.File("2__B.mif"), "Columns 2\r\nA Integer\r\nB Integer\r\nData\r\n");
  WriteBytes(dir.File("3__C.mif"), "Columns 1\r\n");
  WriteBytes(dir.File("3__C.mid"), "");
  const Result result = RunCommand({"--check", "-o", dir.File("3__C"), dir.File("1__A.mif"),
                                    dir.File("2__B.mif"), dir.File("3__C.mif")});
  EXPECT_EQ(result.code, 1);
  std::istringstream lines(result.out);
  std::string a, b, c;
  std::getline(lines, a);
  std::getline(lines, b);
  std::getline(lines, c);
  const std::string output = result.out.substr(result.out.find("\n出力\t") + 1);
  EXPECT_NE(
      a.find(
          "layer=A\tcolumns=1\tdelimiter=\";\"\tcharset=-\tcharsetRead=ASCII (text)\tvalues=ID\t"),
      std::string::npos)
      << a;
  EXPECT_NE(b.find("の列 ID (ID Integer) がありません"), std::string::npos) << b;
  EXPECT_NE(b.find("ファイルが見つかりません (コード 2)"), std::string::npos) << b;
  EXPECT_NE(b.find("2__B.mid"), std::string::npos) << b;
  EXPECT_NE(c.find("DATA 行がありません"), std::string::npos) << c;
  // The output is the third source: named with its place.
  EXPECT_NE(output.find("出力ファイルが入力ファイルと同じです"), std::string::npos) << output;
  EXPECT_NE(output.find("入力 3/3"), std::string::npos) << output;
  // The header the run would write, from the first source.
  EXPECT_NE(result.out.find("  COLUMNS 2\n      LAYER char(40)\n    ID Integer\n"),
            std::string::npos)
      << result.out;
  EXPECT_FALSE(std::filesystem::exists(dir.File("3__C.mid.mif")));
  EXPECT_EQ(ReadBytes(dir.File("3__C.mif")), "Columns 1\r\n");
}

TEST(Mifjoin, ListsInUtf8WithABomOrInCodePage932) {
  ScratchDir dir;
  WriteBytes(dir.File("道路.mif"), kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("道路.mid"), "1\r\n");
  // 道路 is 93 B9 98 48 in code page 932.
  const std::string cp932Path = dir.Folder() + "\x93\xB9\x98\x48.mif";
  WriteBytes(dir.File("bom.txt"), "\xEF\xBB\xBF" + dir.File("道路.mif") + "\r\n");
  WriteBytes(dir.File("cp932.txt"), cp932Path + "\r\n");
  for (const char* list : {"bom.txt", "cp932.txt"}) {
    const Result result = RunCommand({"-o", dir.File("out"), "--from-list", dir.File(list)});
    EXPECT_EQ(result.code, 0) << list << ": " << result.err;
    EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"\x93\xB9\x98\x48\"\t1\r\n") << list;
  }
}

TEST(Mifjoin, OutputNamesWithoutAFilePartAreRefusedBeforeWriting) {
  ScratchDir dir;
  WriteBytes(dir.File("1__A.mif"), kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("1__A.mid"), "1\r\n");
  std::filesystem::create_directory(dir.File("sub"));
  for (const std::string output : {"sub/", "sub", ".", ".."}) {
    const Result result = RunCommand({"-o", dir.File(output), dir.File("1__A.mif")});
    EXPECT_EQ(result.code, 1) << output;
    EXPECT_NE(result.err.find("ファイル名の部分が空です"), std::string::npos) << result.err;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("sub")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("..mif")));
}

TEST(Mifjoin, CheckCountsObjectsAndRowsAndComparesCharsets) {
  ScratchDir dir;
  WriteBytes(dir.File("1__A.mif"), "Charset \"WindowsJapanese\"\r\n" + kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("1__A.mid"), "1\r\n");
  // UTF-8 is converted to the first's charset; Latin 1 would be misread.
  WriteBytes(dir.File("2__B.mif"), "Charset \"UTF-8\"\r\n" + kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("2__B.mid"), "1\r\n2\r\n");
  WriteBytes(dir.File("3__C.mif"), "Charset \"WindowsLatin1\"\r\n" + kHeader);
  WriteBytes(dir.File("3__C.mid"), "");
  const Result result =
      RunCommand({"--check", dir.File("1__A.mif"), dir.File("2__B.mif"), dir.File("3__C.mif")});
  EXPECT_EQ(result.code, 1);
  std::istringstream lines(result.out);
  std::string a, b, c;
  std::getline(lines, a);
  std::getline(lines, b);
  std::getline(lines, c);
  EXPECT_NE(a.find("\tobjects=1\trows=1\tOK"), std::string::npos) << a;
  EXPECT_NE(b.find("\tobjects=1\trows=2\t"), std::string::npos) << b;
  EXPECT_EQ(b.find("Charset が"), std::string::npos) << b;
  EXPECT_NE(b.find("オブジェクトの数と属性の行数が合いません"), std::string::npos) << b;
  EXPECT_NE(c.find("Charset がほかの入力ファイルと違います"), std::string::npos) << c;
  // Found by the first pass and again by the copy: told once.
  EXPECT_EQ(c.find("Charset が", c.find("Charset が") + 1), std::string::npos) << c;
}

// GDAL's tiles declare Neutral and write UTF-8: converted, and said once a
// source in a note, which --quiet leaves out.
TEST(Mifjoin, ASourceReadAsUtf8ForItsTextIsNoted) {
  ScratchDir dir;
  WriteBytes(dir.File("1__GDAL.mif"),
             "Version 300\nCharset \"Neutral\"\nColumns 1\n  NAME Char(10)\n"
             "Data\nPoint 1 1\n");
  WriteBytes(dir.File("1__GDAL.mid"), "\"\xE9\x81\x93\"\n");  // 道 E9 81 93
  const Result result = RunCommand({"-o", dir.File("out"), dir.File("1__GDAL.mif")});
  EXPECT_EQ(result.code, 0);
  EXPECT_NE(result.err.find("mifjoin: 注: Charset \"Neutral\" と宣言し"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("[入力 1/1]"), std::string::npos) << result.err;
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"GDAL\"\t\"\x93\xB9\"\r\n");  // 道 93 B9
  const Result quiet = RunCommand({"-q", "-o", dir.File("out"), dir.File("1__GDAL.mif")});
  EXPECT_EQ(quiet.err.find("注:"), std::string::npos) << quiet.err;
}

TEST(Mifjoin, ListsInUtf16WithAByteOrderMark) {
  ScratchDir dir;
  WriteBytes(dir.File("道路.mif"), kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("道路.mid"), "1\r\n");
  // What PowerShell 5.1's ">" writes: FF FE, then UTF-16LE lines with CR LF.
  // 道 is U+9053 and 路 U+8DEF; 路's low byte 0xEF is no line break, and
  // U+4E0A 上 has the byte 0x0A.
  std::string list = "\xFF\xFE";
  for (const char16_t c : u"上\r\n")
    list += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  list.resize(list.size() - 2);  // the terminating NUL of the literal
  const std::string path = dir.File("道路.mif");
  std::u16string wide;
  for (std::size_t i = 0; i < path.size();) {  // UTF-8 to UTF-16, enough for these paths
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c < 0x80) {
      wide += c;
      i += 1;
    } else {
      wide += static_cast<char16_t>((c & 0x0F) << 12 | (path[i + 1] & 0x3F) << 6 |
                                    (path[i + 2] & 0x3F));
      i += 3;
    }
  }
  std::string little = "\xFF\xFE", big = "\xFE\xFF";
  for (const char16_t c : wide + u"\r\n") {
    little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  }
  WriteBytes(dir.File("little.txt"), little);
  WriteBytes(dir.File("big.txt"), big);
  for (const char* name : {"little.txt", "big.txt"}) {
    const Result result = RunCommand({"-q", "-o", dir.File("out"), "--from-list", dir.File(name)});
    EXPECT_EQ(result.code, 0) << name << ": " << result.err;
    EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"\x93\xB9\x98\x48\"\t1\r\n") << name;
  }
  WriteBytes(dir.File("upper.txt"), list);
  EXPECT_NE(
      RunCommand({"-o", dir.File("o"), "--from-list", dir.File("upper.txt")}).err.find("上.mif"),
      std::string::npos);
}

TEST(Mifjoin, ErrorsAboutTheOutputNameTheOutputAndWarningsTheSource) {
  ScratchDir dir;
  WriteBytes(dir.File("1__A.mif"), kHeader + "Text \"\xC4\x81\"\r\n0 0 1 1\r\n");  // ā
  WriteBytes(dir.File("1__A.mid"), "1\r\n");
  const Result missing = RunCommand({"-o", dir.File("no/out"), dir.File("1__A.mif")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("出力ファイルのフォルダーがありません: " + dir.File("no/out")),
            std::string::npos)
      << missing.err;
  EXPECT_EQ(missing.err.find("入力 1/1"), std::string::npos) << missing.err;
  const Result warned = RunCommand({"-q", "--utf8", "-o", dir.File("out"), dir.File("1__A.mif")});
  EXPECT_EQ(warned.code, 0);
  EXPECT_EQ(warned.err,
            "mifjoin: 警告: コードページ 932 で表せない文字 1 個を ? にしました (最初は 5 行目): " +
                dir.File("1__A.mif") + " [入力 1/1: " + dir.File("1__A.mif") + "]\n");
  // --check names it too, and checks the output name as the run would.
  const Result check = RunCommand({"--check", "--utf8", dir.File("1__A.mif")});
  EXPECT_NE(check.out.find("警告: コードページ 932 で表せない文字 1 個"), std::string::npos);
  EXPECT_EQ(RunCommand({"--check", "-o", dir.File("no/out"), dir.File("1__A.mif")}).code, 1);
}

TEST(Mifjoin, ColumnsThatDifferAreRefusedWithTheWayToMergeThem) {
  ScratchDir dir;
  WriteBytes(dir.File("1__A.mif"), kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("1__A.mid"), "1\r\n");
  WriteBytes(dir.File("2__B.mif"),
             "Version 300\r\nColumns 1\r\n  KIND Char(4)\r\nData\r\nPoint 1 1\r\n");
  WriteBytes(dir.File("2__B.mid"), "\"road\"\r\n");
  const Result refused =
      RunCommand({"-o", dir.File("out"), dir.File("1__A.mif"), dir.File("2__B.mif")});
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("--columns union で"), std::string::npos) << refused.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.mif")));
  const Result merged = RunCommand({"-q", "--columns", "union", "-o", dir.File("out"),
                                    dir.File("1__A.mif"), dir.File("2__B.mif")});
  EXPECT_EQ(merged.code, 0) << merged.err;
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"A\"\t1\t\r\n\"B\"\t\t\"road\"\r\n");
}

TEST(Mifjoin, ACommaInAFolderNameIsNoEntrySeparator) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.File("v1,2024"));
  WriteBytes(dir.File("v1,2024/2__B.mif"), kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("v1,2024/2__B.mid"), "1\r\n");
  const Result result = RunCommand({"-o", dir.File("o"), dir.File("v1,2024/2__B.mif")});
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(ReadBytes(dir.File("o.mid")), "\"B\"\t1\r\n");
}

}  // namespace
}  // namespace mif
