// mifjoin killed (SIGKILL) at random points of a large merge: the sources
// stay as they were, the previous output too unless the run was done, and
// the next run leaves no temporary file behind.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "ScratchDir.h"

extern char** environ;

namespace mif {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

// Starts mifjoin quietly on `sources` into `output`; gives its process.
pid_t StartMifjoin(const std::string& output, const std::vector<std::string>& sources) {
  std::vector<std::string> arguments = {MIF_MIFJOIN_PATH, "--quiet", "-o", output};
  arguments.insert(arguments.end(), sources.begin(), sources.end());
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  EXPECT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
  return pid;
}

int WaitFor(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

std::string ReadOrEmpty(const std::string& path) {
  return std::filesystem::exists(path) ? ReadBytes(path) : "";
}

bool HasTemporaryFiles(const ScratchDir& dir) {
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    if (entry.path().string().find(".mifjoin-tmp") != std::string::npos) return true;
  }
  return false;
}

TEST(MifjoinKilled, SourcesAndThePreviousOutputStay) {
  ScratchDir dir;
  std::vector<std::string> sources;
  std::vector<std::string> bytes;
  for (int s = 0; s < 16; ++s) {  // 16 sources of about 4 MiB
    std::string mif = "Version 300\r\nColumns 1\r\n  ID Integer\r\nData\r\n", mid;
    for (int i = 0; i < 100000; ++i) {
      mif += "Pline 2\r\n139.7000 35.6000\r\n139.7100 35.6100\r\n";
      mid += std::to_string(i) + "\r\n";
    }
    const std::string base = dir.File(std::to_string(100 + s) + "__L");
    WriteBytes(base + ".mif", mif);
    WriteBytes(base + ".mid", mid);
    sources.push_back(base + ".mif");
    bytes.push_back(mif + mid);
  }
  ASSERT_EQ(WaitFor(StartMifjoin(dir.File("whole"), sources)), 0);
  const std::string wholeMif = ReadBytes(dir.File("whole.mif"));
  const std::string wholeMid = ReadBytes(dir.File("whole.mid"));

  std::mt19937 random(20261209);  // fixed, so a failure repeats
  std::uniform_int_distribution<int> microseconds(0, 150000);
  for (int round = 0; round < 6; ++round) {
    const int delay = microseconds(random);
    WriteBytes(dir.File("killed.mif"), "previous");
    WriteBytes(dir.File("killed.mid"), "previous");
    const pid_t pid = StartMifjoin(dir.File("killed"), sources);
    std::this_thread::sleep_for(std::chrono::microseconds(delay));
    kill(pid, SIGKILL);
    WaitFor(pid);
    SCOPED_TRACE("killed after " + std::to_string(delay) + " µs");
    // Each file is the previous one or the whole new one, never a part.
    const std::string mif = ReadOrEmpty(dir.File("killed.mif"));
    const std::string mid = ReadOrEmpty(dir.File("killed.mid"));
    EXPECT_TRUE(mif == "previous" || mif == wholeMif) << mif.size() << " bytes";
    EXPECT_TRUE(mid == "previous" || mid == wholeMid) << mid.size() << " bytes";
  }
  // The next run takes over what a killed one left.
  ASSERT_EQ(WaitFor(StartMifjoin(dir.File("killed"), sources)), 0);
  EXPECT_EQ(ReadBytes(dir.File("killed.mid")), wholeMid);
  EXPECT_FALSE(HasTemporaryFiles(dir));
  for (std::size_t s = 0; s < sources.size(); ++s) {
    const std::string base = sources[s].substr(0, sources[s].size() - 4);
    EXPECT_EQ(ReadBytes(base + ".mif") + ReadBytes(base + ".mid"), bytes[s]) << base;
  }
}

}  // namespace
}  // namespace mif
