#include "merge/MergeRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <vector>

#include "MergeFixture.h"
#include "file/InOutError.h"
#include "merge/MergeError.h"
#include "merge/RunFacts.h"

namespace mif {
namespace {

using testing::Header;
using MergeRunTest = testing::MergeFixture;

// Inputs that log every read, so the points at which the run reads them
// can be checked.
class LoggingInputs : public MergeInputs {
 public:
  std::vector<std::string> entries;  // the sources' .mif paths
  std::vector<std::string> outputs;  // one per source, the last repeated
  bool utf8 = false;
  std::vector<std::string> log;
  std::function<void(int)> onStarting;
  std::set<int> withdrawn;  // taken out since the run began

  int SourceCount() override {
    log.push_back("count");
    return static_cast<int>(entries.size());
  }
  SourceParts Source(int i) override {
    log.push_back("source " + std::to_string(i));
    return MakeSourceParts(entries.at(static_cast<std::size_t>(i)));
  }
  void SourceStarting(int i) override {
    log.push_back("starting " + std::to_string(i));
    if (onStarting) onStarting(i);
  }
  bool Withdrawn(int i) override { return withdrawn.count(i) > 0; }
  void SourceDone(int i, const SourceReport& report) override {
    if (report.status == SourceStatus::Withdrawn) log.push_back("withdrawn " + std::to_string(i));
  }
  std::string OutputName() override {
    log.push_back("output");
    const std::size_t i = std::min(outputIndex++, outputs.size() - 1);
    return outputs[i];
  }
  bool Utf8Option() override {
    log.push_back("utf8");
    return utf8;
  }

 private:
  std::size_t outputIndex = 0;
};

TEST_F(MergeRunTest, ReadsItsInputsAtTheirPointsAndMergesInOrder) {
  const std::string folder = Pair("1__A", Header(1) + "Point 1 1\r\n", "1\r\n");
  Pair("2__B", Header(1) + "Point 2 2\r\n", "2\r\n");
  LoggingInputs inputs;
  inputs.entries = {folder + "1__A.mif", folder + "2__B.mif"};
  inputs.outputs = {dir.File("out")};
  RunMerge(inputs);
  // The output name is planned with, then asked again at each source,
  // which the window lets change.
  const std::vector<std::string> run = {"count",      "source 0", "source 1", "output",
                                        "starting 0", "source 0", "output",   "utf8",
                                        "starting 1", "source 1", "output",   "utf8"};
  EXPECT_EQ(inputs.log, run);
  EXPECT_EQ(Out(".mid"), "\"A\"\t1\r\n\"B\"\t2\r\n");
}

// The window's Delete during a run: a source taken out before the first
// pass came to it, and one taken out as the source before it was copied,
// are left out; the run goes on with the rest, the others where they were.
TEST_F(MergeRunTest, SourcesWithdrawnDuringTheRunAreLeftOut) {
  std::vector<std::string> entries;
  for (const char* base : {"1__A", "2__B", "3__C", "4__D"}) {
    const std::string folder =
        Pair(base, Header(1) + "Point 1 1\r\n", std::string(1, base[0]) + "\r\n");
    entries.push_back(folder + base + ".mif");
  }
  for (const bool perLayer : {false, true}) {
    LoggingInputs inputs;
    inputs.entries = entries;
    inputs.outputs = {perLayer ? dir.File("L") : dir.File("out")};
    inputs.withdrawn = {1};
    inputs.onStarting = [&](int i) {
      if (i == 0) inputs.withdrawn.insert(2);
    };
    MergeOptions options;
    options.perLayer = perLayer;
    RunMerge(inputs, options);
    EXPECT_NE(std::find(inputs.log.begin(), inputs.log.end(), "withdrawn 2"), inputs.log.end());
    EXPECT_EQ(std::find(inputs.log.begin(), inputs.log.end(), "source 1"), inputs.log.end());
    if (!perLayer) {
      EXPECT_EQ(Out(".mid"), "\"A\"\t1\r\n\"D\"\t4\r\n");
    } else {
      EXPECT_EQ(testing::ReadBytes(dir.File("L_A.mid")), "\"A\"\t1\r\n");
      EXPECT_EQ(testing::ReadBytes(dir.File("L_D.mid")), "\"D\"\t4\r\n");
      EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("L_B.mif"))));
      // Its layer's only tile withdrawn after the plan: its output as it was.
      EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("L_C.mif"))));
    }
  }
}

// The window lets the output name change during a run: appending to a
// pair this run did not start would write objects and rows without a
// header into it.
TEST_F(MergeRunTest, AnOutputNameChangedMidRunEndsTheRunAndLeavesTheNewOneAlone) {
  const std::string folder = Pair("1__A", Header(1) + "Point 1 1\r\n", "1\r\n");
  Pair("2__B", Header(1) + "Point 2 2\r\n", "2\r\n");
  Source("other.mif", Header(1) + "Point 9 9\r\n");  // a pair of its own
  Source("other.mid", "9\r\n");
  LoggingInputs inputs;
  inputs.entries = {folder + "1__A.mif", folder + "2__B.mif"};
  inputs.outputs = {dir.File("out"), dir.File("out"), dir.File("other")};
  try {
    RunMerge(inputs);
    FAIL();
  } catch (const EMergeError& error) {
    EXPECT_EQ(PlaceOf(error).kind, ErrorPlace::Kind::Output);
    EXPECT_EQ(PlaceOf(error).path, dir.File("other"));
    EXPECT_NE(OutputStateOf(error).find(u"入力 1〜1 (2 個中)"), std::u16string::npos);
  }
  EXPECT_EQ(Out(".mid"), "\"A\"\t1\r\n");
  // TearDown finds other.mif and other.mid as they were.
}

TEST_F(MergeRunTest, RefusesAnOutputThatIsALaterSourceBeforeWritingAnything) {
  const std::string folder = Pair("1__A", Header(1) + "Point 1 1\r\n", "1\r\n");
  Pair("2__B", Header(1) + "Point 2 2\r\n", "2\r\n");
  LoggingInputs inputs;
  inputs.entries = {folder + "1__A.mif", folder + "2__B.mif"};
  inputs.outputs = {dir.File("2__B")};  // would empty source 2 at source 1
  EXPECT_THROW(RunMerge(inputs), EMergeError);
  // TearDown checks that 2__B is unchanged.
}

TEST_F(MergeRunTest, AnErrorOfTheCallerEndsTheRun) {
  const std::string folder = Pair("1__A", Header(1) + "Point 1 1\r\n", "1\r\n");
  LoggingInputs inputs;
  inputs.entries = {folder + "1__A.mif", folder + "1__A.mif"};
  inputs.outputs = {dir.File("out")};
  inputs.onStarting = [&](int i) {
    if (i == 1) throw std::runtime_error("list became shorter");
  };
  EXPECT_THROW(RunMerge(inputs), std::runtime_error);
  EXPECT_EQ(Out(".mid"), "\"A\"\t1\r\n");
}

}  // namespace
}  // namespace mif
