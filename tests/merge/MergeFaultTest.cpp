// Faults put into every file operation of a three-source run, one at a
// time: the n-th open, read, write, sync or close fails, for every n the run
// reaches. Whatever fails, the run raises that error naming that file, the
// sources stay as they were, the output pair holds exactly the sources
// before the failing one, and no file is left open.
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <memory>

#include "MergeFixture.h"
#include "file/InOutError.h"
#include "merge/MergeRun.h"

namespace mif {
namespace {

using testing::Header;
using testing::PartsInputs;
using testing::ReadBytes;

enum class Step { Open, Fill, Drain, Sync, Close };

// The run's one fault, and what the devices saw.
struct FaultPlan {
  Step step = Step::Open;
  int failAt = 0;  // 1-based among the steps of its kind
  std::int32_t code = 0;
  int seen = 0;
  int openNow = 0;
  std::string failedName;
};

// The system's device, failing the plan's step after doing it (a close
// releases its file, as a failing close does) or instead of it (the rest).
class FaultyDevice final : public FileDevice {
 public:
  explicit FaultyDevice(FaultPlan& plan) : plan_(plan), device_(MakeSystemFileDevice()) {}

  std::int32_t Open(const std::string& name, FileOpenMode mode, FileFacts& facts) override {
    name_ = name;
    if (Fails(Step::Open)) return plan_.code;
    const std::int32_t code = device_->Open(name, mode, facts);
    open_ = code == 0;
    plan_.openNow += open_ ? 1 : 0;
    return code;
  }
  std::int32_t Fill(char* buffer, std::size_t capacity, std::size_t& count) override {
    count = 0;
    return Fails(Step::Fill) ? plan_.code : device_->Fill(buffer, capacity, count);
  }
  std::int32_t Drain(const char* bytes, std::size_t count) override {
    return Fails(Step::Drain) ? plan_.code : device_->Drain(bytes, count);
  }
  std::int32_t Size(std::uint64_t& size) override { return device_->Size(size); }
  std::int32_t Truncate(std::uint64_t size) override { return device_->Truncate(size); }
  std::int32_t Sync() override { return Fails(Step::Sync) ? plan_.code : device_->Sync(); }
  std::int32_t Close() override {
    const std::int32_t code = device_->Close();
    plan_.openNow -= open_ ? 1 : 0;
    open_ = false;
    return Fails(Step::Close) ? plan_.code : code;
  }

 private:
  bool Fails(Step step) {
    if (step != plan_.step || ++plan_.seen != plan_.failAt) return false;
    plan_.failedName = name_;
    return true;
  }

  FaultPlan& plan_;
  std::unique_ptr<FileDevice> device_;
  std::string name_;
  bool open_ = false;
};

class MergeFaultTest : public testing::MergeFixture {
 protected:
  // Three tiles, each over several 64 KiB buffers, their points checked
  // behind the copy on a second thread, which a fault must stop cleanly.
  void SetUp() override {
    for (const char* base : {"53394611__A", "53394612__B", "53394613__C"}) {
      std::string mif = Header(1), mid;
      for (int i = 0; i < 6000; ++i) {
        mif += "Pline 2\r\n" + std::to_string(i) + " 35.6\r\n139.7 35.7\r\n";
        mid += std::to_string(i) + "\r\n";
      }
      Pair(base, mif, mid);
      sources.push_back(SourceParts{base, Folder()});
    }
    for (std::size_t k = 0; k <= sources.size(); ++k) expected.push_back(MergedPrefix(k));
  }
  // What the output pair holds after the first `count` sources merged.
  std::pair<std::string, std::string> MergedPrefix(std::size_t count) {
    RemoveOutput();
    if (count > 0) {
      PartsInputs inputs({sources.begin(), sources.begin() + count}, dir.File("out"));
      RunMerge(inputs);
    }
    return {ReadOrEmpty(".mif"), ReadOrEmpty(".mid")};
  }
  std::string ReadOrEmpty(const std::string& extension) {
    return std::filesystem::exists(dir.File("out" + extension)) ? Out(extension) : "";
  }
  void RemoveOutput() {
    std::filesystem::remove(dir.File("out.mif"));
    std::filesystem::remove(dir.File("out.mid"));
  }

  // Runs with the n-th step of `step` failing for every n the run reaches.
  // Gives how many runs failed.
  int FailEveryStep(Step step, std::int32_t code) {
    const bool failedBefore = ::testing::Test::HasFailure();
    for (int n = 1;; ++n) {
      RemoveOutput();
      FaultPlan plan{step, n, code, 0, 0, {}};
      MergeOptions faulty;
      faulty.mesh = MeshTiles::Required;
      faulty.makeDevice = [&plan] { return std::make_unique<FaultyDevice>(plan); };
      PartsInputs inputs(sources, dir.File("out"));
      try {
        RunMerge(inputs, faulty);
      } catch (const EInOutError& error) {
        SCOPED_TRACE("step " + std::to_string(static_cast<int>(step)) + " number " +
                     std::to_string(n) + " on " + plan.failedName);
        EXPECT_EQ(error.StatusCode(), code);
        EXPECT_EQ(error.FileName(), plan.failedName);
        EXPECT_EQ(plan.openNow, 0);
        // A fault of the first pass leaves no output at all.
        const auto& [mif, mid] = expected.at(static_cast<std::size_t>(std::max(inputs.started, 0)));
        EXPECT_EQ(ReadOrEmpty(".mif"), mif);
        EXPECT_EQ(ReadOrEmpty(".mid"), mid);
        if (!failedBefore && ::testing::Test::HasFailure()) return n;  // one report is enough
        continue;
      }
      EXPECT_EQ(plan.openNow, 0);
      EXPECT_EQ(ReadOrEmpty(".mid"), expected.back().second);  // the fault never came
      return n - 1;
    }
  }

  std::vector<SourceParts> sources;
  std::vector<std::pair<std::string, std::string>> expected;
};

// Codes as the system gives them: 4 too many open files, 23 a read that
// failed its check, 112 disk full, 1117 a device's I/O error (EIO).
TEST_F(MergeFaultTest, EveryOpenReadWriteSyncAndCloseThatFailsStopsTheRunCleanly) {
  // Each .mif in the first pass, the output's two temporary files, each
  // pair again.
  EXPECT_EQ(FailEveryStep(Step::Open, 4), 3 + 2 + 3 * 2);
  // A read of each .mif in the first pass, of each file of each pair again.
  EXPECT_GE(FailEveryStep(Step::Fill, 23), 3 + 3 * 2);
  EXPECT_GE(FailEveryStep(Step::Drain, 112), 3 * 2 * 2);
  // Each temporary file before its rename.
  EXPECT_EQ(FailEveryStep(Step::Sync, 1117), 2);
  EXPECT_GE(FailEveryStep(Step::Close, 112), 3 + 2 + 3 * 2);
}

}  // namespace
}  // namespace mif
