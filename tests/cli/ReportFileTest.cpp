// The report of --report, read as a script reads it, against the fields
// the README describes: every field it writes is described there, and
// every field described there is written by one of these runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "ScratchDir.h"
#include "cli/Mifjoin.h"

namespace mif {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;
using Json = nlohmann::json;

// "a.{b,c}.d" as a.b.d and a.c.d.
std::vector<std::string> Expand(const std::string& path) {
  const std::size_t open = path.find('{');
  if (open == std::string::npos) return {path};
  const std::size_t close = path.find('}', open);
  std::vector<std::string> paths;
  std::stringstream choices(path.substr(open + 1, close - open - 1));
  for (std::string choice; std::getline(choices, choice, ',');) {
    for (const std::string& rest : Expand(path.substr(close + 1))) {
      paths.push_back(path.substr(0, open) + choice + rest);
    }
  }
  return paths;
}

// The fields of the README's table of the report.
std::set<std::string> DescribedFields() {
  const std::string readme = ReadBytes(MIF_README_PATH);
  const std::size_t start = readme.find("### The report");
  const std::string section = readme.substr(start, readme.find("\n## ", start) - start);
  std::set<std::string> fields;
  std::istringstream lines(section);
  const std::regex field("`([a-zA-Z0-9\\[\\]{},.]+)`");
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("| `", 0) != 0) continue;
    const std::string first = line.substr(0, line.find(" |", 2));
    for (std::sregex_iterator it(first.begin(), first.end(), field), end; it != end; ++it) {
      for (const std::string& path : Expand((*it)[1])) fields.insert(path);
    }
  }
  return fields;
}

// Every field of a document: object members by name, array elements as
// [], and each array and object that stands for its elements itself.
void Collect(const Json& value, const std::string& path, std::set<std::string>& fields) {
  if (value.is_object()) {
    for (const auto& [key, member] : value.items()) {
      Collect(member, path.empty() ? key : path + "." + key, fields);
    }
  } else if (value.is_array()) {
    fields.insert(path + "[]");
    for (const Json& element : value) {
      if (element.is_object()) Collect(element, path + "[]", fields);
    }
  } else {
    fields.insert(path);
  }
}

// The entry of source `index`: entries come in the order merged.
const Json& SourceAt(const Json& report, int index) {
  for (const Json& source : report["sources"]) {
    if (source["index"] == index) return source;
  }
  throw std::runtime_error("no source " + std::to_string(index));
}

struct Ran {
  int code;
  Json report;
};

Ran RunWithReport(std::vector<std::string> arguments, const std::string& report) {
  arguments.insert(arguments.begin(), {"-q", "--report", report});
  std::ostringstream out, err;
  const int code = RunMifjoin(arguments, out, err, {});
  return {code, Json::parse(ReadBytes(report))};
}

const std::string kBounded =
    "Version 300\r\nCoordSys Earth Projection 1, 104 Bounds (0, 0) (1, 1)\r\nColumns 1\r\n"
    "  ID Integer\r\nData\r\nPoint 0.5 0.5\r\n";
const std::string kUnbounded =
    "Version 300\r\nCoordSys Earth Projection 1, 104\r\nColumns 1\r\n  ID Integer\r\nData\r\n"
    "Point 0.5 0.5\r\n";

TEST(ReportFile, EveryFieldItWritesTheReadmeDescribesAndTheOtherWayRound) {
  ScratchDir dir;
  std::filesystem::create_directories(testing::Utf8Path(dir.File("set/again")));
  std::filesystem::create_directories(testing::Utf8Path(dir.File("out")));
  for (const char* base : {"set/1__ROAD", "set/again/1__ROAD", "set/2__ROAD", "short/3__ROAD"}) {
    std::filesystem::create_directories(testing::Utf8Path(dir.File(base)).parent_path());
    WriteBytes(dir.File(std::string(base) + ".mif"), kBounded);
    WriteBytes(dir.File(std::string(base) + ".mid"), "1\r\n");
  }
  WriteBytes(dir.File("set/1__RIVER.mif"), kUnbounded);
  WriteBytes(dir.File("set/1__RIVER.mid"), "2\r\n");
  WriteBytes(dir.File("short/3__ROAD.mid"), "");                              // a row short
  WriteBytes(dir.File("short/4__ROAD.mif"), "Version 300\r\nColumns 1\r\n");  // no DATA
  std::set<std::string> written;
  // Per layer, with a tile column and a duplicate left out.
  const Ran tiles = RunWithReport({"--per-layer", "--tile-column", "TILE", "--skip-duplicates",
                                   "-r", "-o", dir.File("out/"), dir.File("set")},
                                  dir.File("tiles.json"));
  ASSERT_EQ(tiles.code, 0);
  EXPECT_EQ(tiles.report["outputs"].size(), 2u);
  // set/again/1__ROAD repeats set/1__ROAD: after set's own files, by name.
  EXPECT_EQ(SourceAt(tiles.report, 3)["status"], "skipped");
  EXPECT_EQ(SourceAt(tiles.report, 3)["duplicate"]["of"], 1);
  ASSERT_EQ(SourceAt(tiles.report, 3)["warnings"].size(), 1u);  // the duplicate's, as printed
  EXPECT_NE(SourceAt(tiles.report, 3)["warnings"][0].get<std::string>().find("again"),
            std::string::npos);
  EXPECT_TRUE(tiles.report["error"].is_null());
  Collect(tiles.report, "", written);
  // A run that stops at its second source: the third is not reached.
  const Ran stopped = RunWithReport({"-o", dir.File("one"), dir.File("set/1__ROAD.mif"),
                                     dir.File("short/3__ROAD.mif"), dir.File("set/2__ROAD.mif")},
                                    dir.File("stopped.json"));
  EXPECT_EQ(stopped.code, 1);
  EXPECT_EQ(stopped.report["exitStatus"], 1);
  EXPECT_EQ(stopped.report["error"]["source"], 1);
  EXPECT_EQ(SourceAt(stopped.report, 1)["status"], "refused");
  EXPECT_EQ(SourceAt(stopped.report, 2)["status"], "notReached");
  EXPECT_FALSE(stopped.report["outputs"][0]["complete"]);
  Collect(stopped.report, "", written);
  // A check of a source whose header cannot be read.
  const Ran check =
      RunWithReport({"--check", dir.File("short/4__ROAD.mif")}, dir.File("check.json"));
  EXPECT_EQ(check.code, 1);
  Collect(check.report, "", written);
  // A tile set against the tiles meant: 53394611 a hole, ROAD's 53394612
  // given twice, RIVER lacking three tiles, every point outside its mesh.
  for (const char* base :
       {"mesh/53394621__ROAD", "mesh/53394601__ROAD", "mesh/53394612__ROAD", "mesh/53394610__ROAD",
        "mesh/again/53394612__ROAD", "mesh/53394612__RIVER"}) {
    std::filesystem::create_directories(testing::Utf8Path(dir.File(base)).parent_path());
    WriteBytes(dir.File(std::string(base) + ".mif"), kBounded);
    WriteBytes(dir.File(std::string(base) + ".mid"), "1\r\n");
  }
  WriteBytes(dir.File("meshcode.txt"), "53394611\r\n53394612\r\n");
  const Ran mesh =
      RunWithReport({"--check", "-r", "--expected", dir.File("meshcode.txt"), dir.File("mesh")},
                    dir.File("mesh.json"));
  EXPECT_EQ(mesh.code, 0);
  Collect(mesh.report, "", written);
  // A tile that is no mesh code: refused in the plan, before the coverage.
  const Ran refused = RunWithReport({"--mesh", "-o", dir.File("one"), dir.File("set/2__ROAD.mif")},
                                    dir.File("refused.json"));
  EXPECT_EQ(refused.code, 1);
  EXPECT_TRUE(refused.report["meshes"].is_null());
  Collect(refused.report, "", written);
  const std::set<std::string> described = DescribedFields();
  for (const std::string& field : written) EXPECT_EQ(described.count(field), 1u) << field;
  for (const std::string& field : described) EXPECT_EQ(written.count(field), 1u) << field;
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("check.json.mifjoin-tmp"))));
}

// How each source's text was read, in the check's report: as declared, or
// as its text shows where it declares Neutral (GDAL's tiles, UTF-8), and a
// declared charset of Japanese bytes written as people read it.
TEST(ReportFile, SaysHowEachSourceWasRead) {
  ScratchDir dir;
  const std::string columns = "Columns 1\r\n  NAME Char(10)\r\nData\r\nPoint 1 2\r\n";
  WriteBytes(dir.File("1__JA.mif"), "Version 300\r\nCharset \"WindowsJapanese\"\r\n" + columns);
  WriteBytes(dir.File("1__JA.mid"), "\"\x93\xB9\"\r\n");  // 道 93 B9
  WriteBytes(dir.File("2__GDAL.mif"), "Version 300\nCharset \"Neutral\"\n" + columns);
  WriteBytes(dir.File("2__GDAL.mid"), "\"\xE9\x81\x93\"\n");  // 道 E9 81 93
  // 日本 in code page 932 (93 FA 96 7B): a charset no reader knows.
  WriteBytes(dir.File("3__ODD.mif"), "Version 300\r\nCharset \"\x93\xFA\x96\x7B\"\r\n" + columns);
  WriteBytes(dir.File("3__ODD.mid"), "\"x\"\r\n");
  const Ran check = RunWithReport(
      {"--check", dir.File("1__JA.mif"), dir.File("2__GDAL.mif"), dir.File("3__ODD.mif")},
      dir.File("check.json"));
  EXPECT_EQ(check.code, 1);  // 3__ODD declares another charset than 1__JA
  EXPECT_EQ(SourceAt(check.report, 0)["charsetRead"], "WindowsJapanese (declared)");
  EXPECT_EQ(SourceAt(check.report, 1)["charsetRead"], "UTF-8 (text)");
  EXPECT_EQ(SourceAt(check.report, 1)["charset"], "Neutral");
  EXPECT_EQ(SourceAt(check.report, 2)["charsetRead"], "日本 (declared)");
}

// Every file under the folder, with its bytes.
std::map<std::string, std::string> FolderBytes(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = testing::Utf8Of(entry.path());
    if (entry.is_regular_file()) files[name] = ReadBytes(name);
  }
  return files;
}

int RunQuiet(std::vector<std::string> arguments, std::string* errors = nullptr) {
  std::ostringstream out, err;
  const int code = RunMifjoin(arguments, out, err, {});
  if (errors != nullptr) *errors = err.str();
  return code;
}

// A report named as a source's file, an output's file (or its temporary
// file) or a folder is refused before anything is written, and never put
// in place: every file stays as it was.
TEST(ReportFile, NorThePictureEverTakesTheNameOfASourceOrAnOutput) {
  ScratchDir dir;
  WriteBytes(dir.File("53394611__ROAD.mif"), kBounded);
  WriteBytes(dir.File("53394611__ROAD.mid"), "1\r\n");
  WriteBytes(dir.File("o.mif"), "the previous output");
  WriteBytes(dir.File("o.mid"), "its rows");
  std::filesystem::create_directories(testing::Utf8Path(dir.File("rep")));
  const std::string source = dir.File("53394611__ROAD.mif");
  const auto before = FolderBytes(dir.Path());
  for (const char* report :
       {"53394611__ROAD.mid", "53394611__ROAD.mif", "o.mid", "O.MIF", "o.mid.mifjoin-tmp", "rep"}) {
    std::string errors;
    for (const std::string option : {"--report", "--coverage"}) {
      for (const bool check : {false, true}) {
        std::vector<std::string> arguments = {"-q", option,        dir.File(report),
                                              "-o", dir.File("o"), source};
        if (check) arguments.insert(arguments.begin(), "--check");
        EXPECT_EQ(RunQuiet(arguments, &errors), 1) << report;
        EXPECT_NE(errors.find(option), std::string::npos) << errors;
        EXPECT_EQ(FolderBytes(dir.Path()), before) << report;
      }
    }
  }
}

// A refusal before the run, of the output name or of the sources, still
// writes the report, which says why.
TEST(ReportFile, IsWrittenWhenTheOutputOrTheSourcesAreRefused) {
  ScratchDir dir;
  WriteBytes(dir.File("1__ROAD.mif"), kBounded);
  WriteBytes(dir.File("1__ROAD.mid"), "1\r\n");
  std::filesystem::create_directories(testing::Utf8Path(dir.File("empty")));
  for (const std::string& output : {dir.File("nodir/x"), dir.File("empty/")}) {
    const Ran refused = RunWithReport({"-o", output, dir.File("1__ROAD.mif")}, dir.File("r.json"));
    EXPECT_EQ(refused.code, 1) << output;
    EXPECT_EQ(refused.report["exitStatus"], 1);
    EXPECT_FALSE(refused.report["error"]["message"].get<std::string>().empty());
  }
  std::string errors;
  EXPECT_EQ(RunQuiet({"-q", "--report", dir.File("r.json"), "-o", dir.File("o"), dir.File("empty")},
                     &errors),
            2);
  EXPECT_NE(errors.find("empty に .mif ファイルがありません"), std::string::npos) << errors;
  EXPECT_EQ(Json::parse(ReadBytes(dir.File("r.json")))["exitStatus"], 2);
}

}  // namespace
}  // namespace mif
