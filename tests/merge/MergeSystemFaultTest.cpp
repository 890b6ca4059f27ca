// Faults the system itself gives, on POSIX: a full disk, sources that are
// no ordinary files, a missing output folder, and outputs that are a source
// by another name. Every one stops the run with the file named, and leaves
// the sources as they were.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <future>

#include "MergeFixture.h"
#include "StatusCodeOf.h"
#include "file/InOutError.h"
#include "merge/MergeError.h"
#include "merge/MergeRun.h"
#include "text/Utf8.h"

namespace mif {
namespace {

using testing::Header;
using testing::PartsInputs;
using testing::StatusCodeOf;

class SystemFaults : public testing::MergeFixture {
 protected:
  // A pair of about `kilobytes` KiB in all.
  void Sized(const std::string& base, int kilobytes) {
    std::string mif = Header(1), mid;
    for (int i = 0; mif.size() + mid.size() < static_cast<std::size_t>(kilobytes) * 1024; ++i) {
      mif += "Point 139.70 35.68\r\n";
      mid += std::to_string(i) + "\r\n";
    }
    Pair(base, mif, mid);
  }
  std::string MessageOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const Exception& error) {
      return EncodeUtf8(DescribeError(error));
    }
    return "(no error)";
  }
};

// A small file system that fills up during the second source; needs the
// right to mount, which CI machines as root usually have.
TEST_F(SystemFaults, AFullFileSystemStopsTheRunWithTheFirstSourceWhole) {
  const std::string small = dir.File("small");
  std::filesystem::create_directory(small);
  if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=48k") != 0) {
    GTEST_SKIP() << "cannot mount a 48 KiB tmpfs here (needs root with CAP_SYS_ADMIN)";
  }
  struct Unmount {
    std::string path;
    ~Unmount() { umount(path.c_str()); }
  } unmount{small};
  Sized("1__A", 30);
  Sized("2__B", 30);
  PartsInputs first(Parts({"1__A"}), dir.File("one"));
  RunMerge(first);
  PartsInputs both(Parts({"1__A", "2__B"}), small + "/out");
  EXPECT_EQ(StatusCodeOf([&] { RunMerge(both); }), 112);
  EXPECT_EQ(testing::ReadBytes(small + "/out.mif"), testing::ReadBytes(dir.File("one.mif")));
  EXPECT_EQ(testing::ReadBytes(small + "/out.mid"), testing::ReadBytes(dir.File("one.mid")));
}

// A FIFO as the output used to hang the run in its open, and --check
// said OK; a device took the writes and could not be cut back.
TEST_F(SystemFaults, APipeOrADeviceAsTheOutputIsRefusedWithoutWaiting) {
  Sized("1__A", 4);
  ASSERT_EQ(mkfifo(dir.File("pipe.mif").c_str(), 0600), 0);  // nobody reads it
  std::filesystem::create_symlink("/dev/full", dir.File("full.mid"));
  for (const char* output : {"pipe", "full"}) {
    PartsInputs inputs(Parts({"1__A"}), dir.File(output));
    auto run = std::async(std::launch::async, [&] { return MessageOf([&] { RunMerge(inputs); }); });
    ASSERT_EQ(run.wait_for(std::chrono::seconds(10)), std::future_status::ready) << output;
    const std::string message = run.get();
    EXPECT_NE(message.find("出力ファイルが通常のファイルではありません"), std::string::npos)
        << message;
    PartsInputs check(Parts({"1__A"}), dir.File(output));
    const RunReport report = CheckRun(check);
    ASSERT_EQ(report.outputProblems.size(), 1u) << output;
    EXPECT_EQ(EncodeUtf8(report.outputProblems[0]), message);
  }
}

TEST_F(SystemFaults, AFolderOrAPipeAsASourceIsRefusedWithoutWaiting) {
  Sized("1__A", 1);
  std::filesystem::create_directory(dir.File("2__B.mif"));
  Source("3__C.mif", Header(1) + "Point 1 1\r\n");
  ASSERT_EQ(mkfifo(dir.File("3__C.mid").c_str(), 0600), 0);  // nobody writes to it
  for (const char* base : {"2__B", "3__C"}) {
    PartsInputs inputs(Parts({"1__A", base}), dir.File("out"));
    auto run = std::async(std::launch::async, [&] { return MessageOf([&] { RunMerge(inputs); }); });
    ASSERT_EQ(run.wait_for(std::chrono::seconds(10)), std::future_status::ready) << base;
    const std::string message = run.get();
    EXPECT_NE(message.find("通常のファイルではありません"), std::string::npos) << message;
    EXPECT_NE(message.find(std::string(base) + (base[0] == '2' ? ".mif" : ".mid")),
              std::string::npos)
        << message;
    // Refused in the first pass: no output was made.
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.mif")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.mid")));
  }
}

// A pipe of a tile's name in another folder: the check, which goes on past
// it, compared it with the tile for a duplicate and waited for a writer.
TEST_F(SystemFaults, TheCheckComparesNoPipeForADuplicate) {
  Sized("1__A", 1);
  std::filesystem::create_directory(dir.File("again"));
  ASSERT_EQ(mkfifo(dir.File("again/1__A.mif").c_str(), 0600), 0);  // nobody writes to it
  PartsInputs check({SourceParts{"1__A", Folder()}, SourceParts{"1__A", dir.File("again/")}},
                    dir.File("out"));
  auto run = std::async(std::launch::async, [&] { return CheckRun(check); });
  ASSERT_EQ(run.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  run.get();
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.mif")));
}

// What the check said OK to and the run refused: the check decides as the
// run does.
TEST_F(SystemFaults, TheCheckRefusesTheOutputsTheRunRefuses) {
  Sized("1__A", 1);
  std::filesystem::create_directory(dir.File("folder.mid"));
  std::filesystem::create_symlink(dir.File("no/such/out.mif"), dir.File("dangling.mif"));
  Source("readonly.mif", "old");
  Source("readonly.mid", "old");
  chmod(dir.File("readonly.mif").c_str(), 0444);
  const bool root = geteuid() == 0;  // root writes read-only files
  for (const std::string output : {"no/such/out", "folder", "dangling", "readonly"}) {
    if (root && output == "readonly") continue;
    PartsInputs inputs(Parts({"1__A"}), dir.File(output));
    const std::string message = MessageOf([&] { RunMerge(inputs); });
    EXPECT_NE(message, "(no error)") << output;
    PartsInputs check(Parts({"1__A"}), dir.File(output));
    const RunReport report = CheckRun(check);
    ASSERT_EQ(report.outputProblems.size(), 1u) << output;
    EXPECT_EQ(EncodeUtf8(report.outputProblems[0]), message) << output;
  }
  chmod(dir.File("readonly.mif").c_str(), 0644);
  // A link to an output elsewhere: written where it leads, the link kept.
  std::filesystem::create_directory(dir.File("real"));
  std::filesystem::create_symlink(dir.File("real/out.mif"), dir.File("link.mif"));
  PartsInputs linked(Parts({"1__A"}), dir.File("link"));
  RunMerge(linked);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.mif")));
  EXPECT_EQ(testing::ReadBytes(dir.File("real/out.mif")).substr(0, 11), "Version 300");
}

TEST_F(SystemFaults, AnOutputThatIsASourceByAnotherNameIsRefused) {
  Sized("1__A", 1);
  std::filesystem::create_symlink(dir.File("1__A.mif"), dir.File("sym.mif"));
  std::filesystem::create_hard_link(dir.File("1__A.mid"), dir.File("hard.mid"));
  for (const std::string& output : {Folder() + "./1__A", dir.File("sym"), dir.File("hard")}) {
    PartsInputs inputs(Parts({"1__A"}), output);
    EXPECT_THROW(RunMerge(inputs), EMergeError) << output;
  }
  // TearDown finds the sources as they were.
}

}  // namespace
}  // namespace mif
