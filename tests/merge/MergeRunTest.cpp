#include "merge/MergeRun.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "MergeFixture.h"
#include "file/InOutError.h"
#include "merge/MergeError.h"

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
  const std::vector<std::string> run = {"count",    "source 0",   "source 1", "output",
                                        "source 0", "starting 0", "output",   "utf8",
                                        "source 1", "starting 1", "output",   "utf8"};
  EXPECT_EQ(inputs.log, run);
  EXPECT_EQ(Out(".mid"), "\"A\"\t1\r\n\"B\"\t2\r\n");
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
    EXPECT_EQ(error.Place().kind, ErrorPlace::Kind::Output);
    EXPECT_EQ(error.Place().path, dir.File("other"));
    EXPECT_NE(error.OutputState().find(u"入力 1〜1 (2 個中)"), std::u16string::npos);
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
