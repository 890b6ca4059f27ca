// The pair merge on arbitrary .mif and .mid text, merged twice (create,
// then append): it never crashes or hangs, and either refuses the source,
// leaving the output as it was, or writes as many rows and objects as the
// source holds.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzInput.h"
#include "file/InOutError.h"
#include "merge/MergeContext.h"
#include "merge/MergeRun.h"
#include "merge/PairMerge.h"
#include "merge/SourceCheck.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// One folder per fuzzing process, in memory where the system has it,
// removed when the process ends.
struct ScratchFolder {
  std::string path;
  ScratchFolder() {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const std::filesystem::path folder = base / ("mif-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    path = folder.string() + "/";
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
};

const std::string& Folder() {
  static const ScratchFolder folder;
  return folder.path;
}

void Write(const std::string& name, std::string_view bytes) {
  std::ofstream(Folder() + name, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::uint64_t SizeOf(const std::string& name) {
  std::error_code error;
  const auto size = std::filesystem::file_size(Folder() + name, error);
  return error ? 0 : size;
}

// A run of one pair, for the check.
class OnePair final : public mif::MergeInputs {
 public:
  explicit OnePair(const std::string& base) : parts_{base, Folder()} {}
  int SourceCount() override { return 1; }
  mif::SourceParts Source(int) override { return parts_; }
  void SourceStarting(int) override {}
  std::string OutputName() override { return {}; }
  bool Utf8Option() override { return false; }

 private:
  mif::SourceParts parts_;
};

// Objects and rows of a pair, counted as mifjoin --check counts them.
std::pair<std::int64_t, std::int64_t> Counts(const std::string& base) {
  OnePair inputs(base);
  std::pair<std::int64_t, std::int64_t> counts{-1, -1};
  mif::CheckRun(inputs, [&](int, const mif::SourceReport& report) {
    counts = {report.objects, report.rows};
  });
  return counts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mif::fuzz::FuzzInput input(data, size);
  const bool utf8 = (input.Byte() & 1) != 0;
  const std::string_view rest = input.Rest();
  // The .mif first, the .mid after the first NUL NUL.
  const std::size_t split = std::min(rest.find(std::string_view("\0\0", 2)), rest.size());
  Write("1__F.mif", rest.substr(0, split));
  Write("1__F.mid", rest.substr(std::min(split + 2, rest.size())));
  std::filesystem::remove(Folder() + "out.mif");
  std::filesystem::remove(Folder() + "out.mid");

  mif::MergeContext context;
  for (int index = 0; index < 2; ++index) {
    const std::uint64_t mifBefore = SizeOf("out.mif"), midBefore = SizeOf("out.mid");
    try {
      mif::MergeSourcePair(index, Folder(), "1__F", utf8, Folder() + "out", context);
    } catch (const mif::Exception&) {
      Check(SizeOf("out.mif") == mifBefore && SizeOf("out.mid") == midBefore);
      return 0;
    }
  }
  const auto [sourceObjects, sourceRows] = Counts("1__F");
  const auto [objects, rows] = Counts("out");
  Check(sourceObjects == sourceRows);
  Check(rows == 2 * sourceRows && objects == 2 * sourceObjects);
  return 0;
}
