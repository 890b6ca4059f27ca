// Tile sets: one output per layer, the tile kept as a column, the added
// columns named, and sources given twice.
#include <gtest/gtest.h>

#include <filesystem>

#include "MergeFixture.h"
#include "file/InOutError.h"
#include "merge/MergeError.h"
#include "merge/OutputTarget.h"
#include "merge/RunFacts.h"
#include "text/Utf8.h"

namespace mif {
namespace {

using testing::MessageOf;
using testing::PartsInputs;
using testing::ReadBytes;
using testing::WriteBytes;

const std::string kRoad =
    "Version 300\r\nCharset \"WindowsJapanese\"\r\nColumns 1\r\n  ID Integer\r\nData\r\n";

class PerLayer : public testing::MergeFixture {
 protected:
  // A tile of a mesh set: TILE__LAYER.mif with one point and its row.
  void Tile(const std::string& tile, const std::string& layer, const std::string& header = kRoad,
            const std::string& row = "7") {
    Pair(tile + "__" + layer, header + "Point 1 2\r\n", row + "\r\n");
  }
  std::string File(const std::string& name) const { return ReadBytes(dir.File(name)); }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(testing::Utf8Path(dir.File(name)));
  }
};

TEST(LayerOutputName, AfterTheOutputsNameOrInItsFolder) {
  testing::ScratchDir dir;
  EXPECT_EQ(LayerOutputName("結合", "道路"), "結合_道路.mif");
  EXPECT_EQ(LayerOutputName("out/結合.mif", "道路"), "out/結合_道路.mif");
  EXPECT_EQ(LayerOutputName("out.MIF", "L"), "out_L.mif");
  EXPECT_EQ(LayerOutputName(dir.Folder(), "L"), dir.Folder() + "L.mif");
  std::filesystem::create_directory(testing::Utf8Path(dir.File("sets")));
  EXPECT_EQ(LayerOutputName(dir.File("sets"), "L"),
            dir.File("sets") + std::string(1, PathDelimiters().front()) + "L.mif");
}

// Groups in the order their layer first comes, each layer's sources in
// list order, every rule of the single output within each.
TEST_F(PerLayer, OneOutputPerLayerInTheOrderTheyCome) {
  Tile("53394611", "ROAD");
  Tile("53394611", "RIVER", kRoad, "8");
  Tile("53394612", "ROAD", kRoad, "9");
  options.perLayer = true;
  PartsInputs run(Parts({"53394611__ROAD", "53394611__RIVER", "53394612__ROAD"}), dir.File("out"));
  std::vector<int> started;
  const RunReport report = RunMerge(run, options);
  EXPECT_EQ(report.outputs, 2);
  EXPECT_EQ(File("out_ROAD.mid"), "\"ROAD\"\t7\r\n\"ROAD\"\t9\r\n");
  EXPECT_EQ(File("out_RIVER.mid"), "\"RIVER\"\t8\r\n");
  ASSERT_EQ(run.reports.size(), 3u);  // in the order merged: the ROAD group's first
  EXPECT_EQ(run.reports[0].output, 0);
  EXPECT_EQ(run.reports[1].output, 0);
  EXPECT_EQ(run.reports[2].output, 1);
  EXPECT_FALSE(Exists("out.mif"));
}

// Every group is planned before anything is written: a refusal in the
// last leaves every output as it was.
TEST_F(PerLayer, ARefusalInAnyGroupWritesNothing) {
  Tile("1", "ROAD");
  Tile("1", "RIVER");
  Tile("2", "RIVER", "Version 300\r\nColumns 1\r\n  NAME Char(5)\r\nData\r\n", "\"x\"");
  Source("out_ROAD.mif", "previous");
  Source("out_ROAD.mid", "previous");
  options.perLayer = true;
  keepForReader = false;
  EXPECT_THROW(Run({"1__ROAD", "1__RIVER", "2__RIVER"}), EColumnsError);
  EXPECT_FALSE(Exists("out_RIVER.mif"));
  // TearDown finds out_ROAD as it was.
}

// A failure while copying keeps the groups done, cuts its own back to its
// whole sources, and writes none after it; the message says which.
TEST_F(PerLayer, AFailureKeepsTheOutputsDoneAndSaysWhich) {
  Tile("1", "ROAD");
  Tile("1", "RIVER");
  Pair("2__RIVER", kRoad + "Point 1 2\r\nPoint 3 4\r\n", "1\r\n");  // a row short
  Tile("1", "BLDG");
  options.perLayer = true;
  keepForReader = false;
  try {
    Run({"1__ROAD", "1__RIVER", "2__RIVER", "1__BLDG"});
    FAIL();
  } catch (const EMergeError& error) {
    const std::string state = EncodeUtf8(OutputStateOf(error));
    EXPECT_NE(state.find("出力 1 個は完成しています (" + dir.File("out_ROAD.mif") + ")"),
              std::string::npos)
        << state;
    EXPECT_NE(state.find("out_RIVER.mif には入力 1〜1"), std::string::npos) << state;
    EXPECT_NE(state.find("残りの 1 個の出力は書いていません"), std::string::npos) << state;
  }
  EXPECT_EQ(File("out_ROAD.mid"), "\"ROAD\"\t7\r\n");
  EXPECT_EQ(File("out_RIVER.mid"), "\"RIVER\"\t7\r\n");
  EXPECT_FALSE(Exists("out_BLDG.mif"));
}

// What the window does: stops at a source, or answers the columns question.
class StoppingInputs final : public PartsInputs {
 public:
  using PartsInputs::PartsInputs;
  void SourceStarting(int index) override {
    if (index == stopAt) throw ERunStopped();
  }
  bool MergeAllColumns(const EColumnsError& problem) override {
    questions.push_back(EncodeUtf8(problem.Message()));
    return true;
  }
  int stopAt = -1;
  std::vector<std::string> questions;
};

// Stopped by the user: the outputs done stay, the one being written is
// left as it was before the run, and none after is begun.
TEST_F(PerLayer, AStopKeepsTheOutputsDoneAndLeavesTheCurrentOneAsItWas) {
  Tile("1", "ROAD");
  Tile("1", "RIVER");
  Tile("2", "RIVER");
  Tile("1", "BLDG");
  Source("out_RIVER.mif", "previous");
  Source("out_RIVER.mid", "previous");
  options.perLayer = true;
  keepForReader = false;
  StoppingInputs run(Parts({"1__ROAD", "1__RIVER", "2__RIVER", "1__BLDG"}), dir.File("out"));
  run.stopAt = 2;
  try {
    RunMerge(run, options);
    FAIL();
  } catch (const ERunStopped& stop) {
    const std::string state = EncodeUtf8(OutputStateOf(stop));
    EXPECT_NE(state.find("出力 1 個は完成しています"), std::string::npos) << state;
    EXPECT_NE(state.find("out_RIVER.mif は以前のままです"), std::string::npos) << state;
  }
  EXPECT_EQ(File("out_ROAD.mid"), "\"ROAD\"\t7\r\n");
  EXPECT_FALSE(Exists("out_RIVER.mif.mifjoin-tmp"));
  EXPECT_FALSE(Exists("out_BLDG.mif"));
  // TearDown finds out_RIVER as it was.
}

// The columns question of a per-layer run names the layer it is about.
TEST_F(PerLayer, TheColumnsQuestionNamesTheLayer) {
  Tile("1", "ROAD");
  Tile("1", "RIVER");
  Tile("2", "RIVER", "Version 300\r\nColumns 1\r\n  NAME Char(5)\r\nData\r\n", "\"x\"");
  options.perLayer = true;
  StoppingInputs run(Parts({"1__ROAD", "1__RIVER", "2__RIVER"}), dir.File("out"));
  RunMerge(run, options);
  ASSERT_EQ(run.questions.size(), 1u);
  EXPECT_EQ(run.questions[0].rfind("レイヤー RIVER の出力で、列 NAME", 0), 0u) << run.questions[0];
  EXPECT_EQ(File("out_RIVER.mid"), "\"RIVER\"\t7\t\r\n\"RIVER\"\t\t\"x\"\r\n");
}

// Windows takes out_road.mif and out_ROAD.mif for one file: refused on
// every system, naming a source of each.
TEST_F(PerLayer, LayersWhoseOutputsDifferInCaseAloneAreRefused) {
  Tile("1", "ROAD");
  Tile("2", "road");
  options.perLayer = true;
  const std::u16string message = Refusal({"1__ROAD", "2__road"});
  EXPECT_NE(message.find(u"大文字と小文字の違いだけで重なります"), std::u16string::npos);
  EXPECT_NE(message.find(u"入力 2/2"), std::u16string::npos) << EncodeUtf8(message);
  EXPECT_FALSE(OutExists());
}

// ＲＯＡＤ and ｒｏａｄ (full-width, FF32 FF2F FF21 FF24 and FF52 FF4F FF41
// FF44) too: NTFS folds them as it folds ASCII letters.
TEST_F(PerLayer, FullWidthLayersThatDifferInCaseAloneAreRefused) {
  Tile("1", "\xEF\xBC\xB2\xEF\xBC\xAF\xEF\xBC\xA1\xEF\xBC\xA4");
  Tile("2", "\xEF\xBD\x92\xEF\xBD\x8F\xEF\xBD\x81\xEF\xBD\x84");
  options.perLayer = true;
  const std::u16string message = Refusal({"1__\xEF\xBC\xB2\xEF\xBC\xAF\xEF\xBC\xA1\xEF\xBC\xA4",
                                          "2__\xEF\xBD\x92\xEF\xBD\x8F\xEF\xBD\x81\xEF\xBD\x84"});
  EXPECT_NE(message.find(u"大文字と小文字の違いだけで重なります"), std::u16string::npos)
      << EncodeUtf8(message);
  EXPECT_FALSE(OutExists());
}

// CON.mif is the console on Windows, whatever its extension: a layer named
// CON (a contour layer's code) in a folder of outputs is refused on every
// system, naming the layer and its source and the way out; after a name in
// front (結合_CON.mif) it is merged.
TEST_F(PerLayer, LayersWindowsCannotNameAreRefusedBeforeAnythingIsWritten) {
  Tile("53394611", "ROAD");
  Tile("53394611", "con");
  options.perLayer = true;
  PartsInputs run(Parts({"53394611__ROAD", "53394611__con"}), dir.Folder());
  const std::string message = EncodeUtf8(MessageOf([&] { RunMerge(run, options); }));
  for (const char* part : {"レイヤー con", "装置名", "53394611__con.mif", "入力 2/2", "-o 結合"}) {
    EXPECT_NE(message.find(part), std::string::npos) << part << ": " << message;
  }
  EXPECT_FALSE(Exists("ROAD.mif"));
  PartsInputs named(Parts({"53394611__ROAD", "53394611__con"}), dir.File("結合"));
  RunMerge(named, options);
  EXPECT_EQ(File("結合_con.mid"), "\"con\"\t7\r\n");
}

// A layer's output, or its temporary file, whose name is longer than the
// file system takes (255 bytes on ext4 and tmpfs) is refused before the
// first layer's output is replaced.
TEST_F(PerLayer, NamesTooLongForTheFileSystemAreRefusedBeforeAnythingIsWritten) {
  const std::string longer(246, 'L'), longest(248, 'T');  // their sources' names fit
  Tile("1", "ROAD");
  Tile("1", longer);
  Tile("1", longest);
  options.perLayer = true;
  WriteBytes(dir.File("out_ROAD.mif"), "the previous output");
  WriteBytes(dir.File("out_ROAD.mid"), "its rows");
  struct Case {
    std::string output, layer, tooLong;
  };
  for (const Case& run : {Case{dir.File("out"), longer, "out_" + longer + ".mif"},
                          Case{dir.Folder(), longest, longest + ".mif.mifjoin-tmp"}}) {
    PartsInputs inputs(Parts({"1__ROAD", "1__" + run.layer}), run.output);
    try {
      RunMerge(inputs, options);
      ADD_FAILURE() << "not refused";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.StatusCode(), 206);
      EXPECT_NE(error.FileName().find(run.tooLong), std::string::npos) << error.FileName();
    }
    EXPECT_EQ(File("out_ROAD.mif"), "the previous output");
    EXPECT_FALSE(Exists("ROAD.mif"));
  }
}

// The tile: the text before the layer name and its separator, in a column
// as wide as the longest; kept by a merged output merged again.
TEST_F(PerLayer, TheTileIsAColumnAfterTheLayers) {
  Tile("53394611", "ROAD");
  Tile("tile_12", "ROAD", kRoad, "8");
  Pair("ROAD", kRoad + "Point 1 2\r\n", "9\r\n");  // the layer is the whole name
  options.added.tile = "TILE";
  Run({"53394611__ROAD", "tile_12__ROAD", "ROAD"});
  EXPECT_NE(
      Out(".mif").find("COLUMNS 3\r\n    LAYER char(40)\r\n    TILE char(8)\r\n  ID Integer\r\n"),
      std::string::npos)
      << Out(".mif");
  EXPECT_EQ(Out(".mid"),
            "\"ROAD\"\t\"53394611\"\t7\r\n\"ROAD\"\t\"tile_12\"\t8\r\n\"ROAD\"\t\"ROAD\"\t9\r\n");
  Source("merged.mif", Out(".mif"));
  Source("merged.mid", Out(".mid"));
  Tile("53394613", "RAIL", kRoad, "5");
  Run({"merged", "53394613__RAIL"});
  EXPECT_EQ(Out(".mid"),
            "\"ROAD\"\t\"53394611\"\t7\r\n\"ROAD\"\t\"tile_12\"\t8\r\n"
            "\"ROAD\"\t\"ROAD\"\t9\r\n\"RAIL\"\t\"53394613\"\t5\r\n");
  // Under another name its tile column is a column like any other, and the
  // merged output gets its file name's tile.
  options.added.tile = "MESH";
  options.columns = ColumnsMode::Union;
  Run({"merged", "53394613__RAIL"});
  EXPECT_NE(Out(".mif").find("    LAYER char(40)\r\n    MESH char(8)\r\n    TILE char(8)\r\n"),
            std::string::npos)
      << Out(".mif");
  EXPECT_EQ(Out(".mid").substr(0, 30), "\"ROAD\"\t\"merged\"\t\"53394611\"\t7\r\n");
  EXPECT_EQ(Out(".mid").substr(Out(".mid").size() - 22), "\"RAIL\"\t\"53394613\"\t\t5\r\n");
}

TEST_F(PerLayer, TheAddedColumnsTakeTheNamesGivenAndRefuseTheirNamesElsewhere) {
  const std::string cad =
      "Version 300\r\nColumns 2\r\n  ID Integer\r\n  LAYER Char(10)\r\nData\r\n";
  Tile("1", "CAD", cad, "7\t\"DIM\"");
  try {
    Run({"1__CAD"});
    FAIL();
  } catch (const EAddedColumnError& error) {
    EXPECT_EQ(error.Kind(), ErrorKind::LayerColumn);
    EXPECT_NE(EncodeUtf8(error.Message()).find("2 列目"), std::string::npos);
  }
  options.added.layer = "SOURCE";
  keepForReader = false;  // the reader's checks look for LAYER first
  Run({"1__CAD"});
  EXPECT_NE(Out(".mif").find("    SOURCE char(40)\r\n  ID Integer\r\n  LAYER Char(10)\r\n"),
            std::string::npos);
  EXPECT_EQ(Out(".mid"), "\"CAD\"\t7\t\"DIM\"\r\n");
  options.added.tile = "ID";
  EXPECT_THROW(Run({"1__CAD"}), EAddedColumnError);
}

// The layer names the output: one that comes out empty (53394611__.mif,
// A.B__C.mif) is refused before anything is written, naming its source.
TEST_F(PerLayer, AnEmptyLayerIsRefusedNamingItsSource) {
  Tile("53394611", "ROAD");
  Pair("A.B__C", kRoad + "Point 1 2\r\n", "7\r\n");
  options.perLayer = true;
  PartsInputs run(Parts({"53394611__ROAD", "A.B__C"}), dir.Folder());
  const std::u16string message = MessageOf([&] { RunMerge(run, options); });
  EXPECT_NE(EncodeUtf8(message).find("レイヤー名が空です"), std::string::npos)
      << EncodeUtf8(message);
  EXPECT_NE(EncodeUtf8(message).find("A.B__C.mif"), std::string::npos) << EncodeUtf8(message);
  EXPECT_FALSE(Exists("ROAD.mif"));
  options.perLayer = false;  // one output: the empty layer value is only a value
  Run({"53394611__ROAD", "A.B__C"});
  EXPECT_EQ(Out(".mid"), "\"ROAD\"\t7\r\n\"\"\t7\r\n");
}

// The same tile of two overlapping downloads, and one file given twice.
TEST_F(PerLayer, SourcesGivenTwiceAreToldAndMayBeLeftOut) {
  std::filesystem::create_directory(testing::Utf8Path(dir.File("east")));
  std::filesystem::create_directory(testing::Utf8Path(dir.File("west")));
  for (const char* folder : {"east/", "west/"}) {
    Source(std::string(folder) + "1__ROAD.mif", kRoad + "Point 1 2\r\n");
    Source(std::string(folder) + "1__ROAD.mid", "7\r\n");
  }
  Source("west/2__ROAD.mif", kRoad + "Point 1 2\r\n");
  Source("west/2__ROAD.mid", "8\r\n");
  Source("east/2__ROAD.mif", kRoad + "Point 1 2\r\n");
  Source("east/2__ROAD.mid", "9\r\n");  // another value: not the same
  const std::vector<SourceParts> parts = {
      MakeSourceParts(dir.File("east/1__ROAD.mif")), MakeSourceParts(dir.File("west/1__ROAD.mif")),
      MakeSourceParts(dir.File("west/2__ROAD.mif")), MakeSourceParts(dir.File("east/2__ROAD.mif")),
      MakeSourceParts(dir.File("east/1__ROAD.mif"))};
  PartsInputs told(parts, dir.File("out"));
  RunMerge(told, options);
  ASSERT_EQ(told.warnings.size(), 3u);
  EXPECT_NE(EncodeUtf8(told.warnings[0]).find("内容は同じです"), std::string::npos);
  EXPECT_NE(EncodeUtf8(told.warnings[1]).find("内容は違います"), std::string::npos);
  EXPECT_NE(EncodeUtf8(told.warnings[2]).find("同じファイルがもう一度あります (入力 1/5"),
            std::string::npos)
      << EncodeUtf8(told.warnings[2]);
  EXPECT_EQ(Out(".mid"),
            "\"ROAD\"\t7\r\n\"ROAD\"\t7\r\n\"ROAD\"\t8\r\n\"ROAD\"\t9\r\n\"ROAD\"\t7\r\n");
  options.skipDuplicates = true;
  PartsInputs skipped(parts, dir.File("out"));
  RunMerge(skipped, options);
  EXPECT_EQ(Out(".mid"), "\"ROAD\"\t7\r\n\"ROAD\"\t8\r\n\"ROAD\"\t9\r\n");
  ASSERT_EQ(skipped.reports.size(), 5u);
  EXPECT_EQ(skipped.reports[1].status, SourceStatus::Skipped);
  EXPECT_EQ(skipped.reports[1].duplicate->earlier, 0);
  EXPECT_EQ(skipped.reports[3].status, SourceStatus::Merged);
  EXPECT_FALSE(skipped.reports[3].duplicate->identical);
  EXPECT_EQ(skipped.reports[4].status, SourceStatus::Skipped);
}

// A backup or de-duplicating tool links one .mif into two folders, beside
// .mid files of their own: the same file is a pair of both files.
TEST_F(PerLayer, ALinkedMifWithAnotherMidIsAnotherSource) {
  namespace fs = std::filesystem;
  for (const char* folder : {"old", "new", "both"})
    fs::create_directory(testing::Utf8Path(dir.File(folder)));
  Source("old/1__ROAD.mif", kRoad + "Point 1 2\r\n");
  Source("old/1__ROAD.mid", "7\r\n");
  fs::create_hard_link(testing::Utf8Path(dir.File("old/1__ROAD.mif")),
                       testing::Utf8Path(dir.File("new/1__ROAD.mif")));
  Source("new/1__ROAD.mid", "8\r\n");  // newer rows
  for (const char* file : {"1__ROAD.mif", "1__ROAD.mid"}) {
    fs::create_hard_link(testing::Utf8Path(dir.File(std::string("old/") + file)),
                         testing::Utf8Path(dir.File(std::string("both/") + file)));
  }
  const std::vector<SourceParts> parts = {MakeSourceParts(dir.File("old/1__ROAD.mif")),
                                          MakeSourceParts(dir.File("new/1__ROAD.mif")),
                                          MakeSourceParts(dir.File("both/1__ROAD.mif"))};
  options.skipDuplicates = true;
  PartsInputs told(parts, dir.File("out"));
  RunMerge(told, options);
  EXPECT_EQ(Out(".mid"), "\"ROAD\"\t7\r\n\"ROAD\"\t8\r\n");
  ASSERT_EQ(told.reports.size(), 3u);
  const DuplicateReport& linked = *told.reports[1].duplicate;
  EXPECT_FALSE(linked.sameFile);
  EXPECT_TRUE(linked.sameMif);
  EXPECT_FALSE(linked.identical);
  EXPECT_EQ(told.reports[1].status, SourceStatus::Merged);
  EXPECT_TRUE(told.reports[2].duplicate->sameFile);
  EXPECT_EQ(told.reports[2].status, SourceStatus::Skipped);
  ASSERT_EQ(told.warnings.size(), 2u);
  EXPECT_NE(EncodeUtf8(told.warnings[0]).find("別の .mid"), std::string::npos)
      << EncodeUtf8(told.warnings[0]);
}

}  // namespace
}  // namespace mif
