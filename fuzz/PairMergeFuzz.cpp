// One pair of arbitrary .mif and .mid text merged twice in one run: it
// never crashes or hangs, and either refuses, leaving the previous output
// as it was, or writes twice the objects and rows the source holds.
#include <filesystem>
#include <string>

#include "FuzzFolder.h"
#include "FuzzInput.h"
#include "merge/MergeRun.h"

namespace {

using mif::fuzz::Check;
using mif::fuzz::FolderRun;
using mif::fuzz::Read;
using mif::fuzz::Write;

// Objects and rows of a pair, counted as mifjoin --check counts them.
std::pair<std::int64_t, std::int64_t> Counts(const std::string& base) {
  FolderRun check({base}, "");
  mif::CheckRun(check);
  if (check.reports.empty()) return {-1, -1};
  return {check.reports[0].objects, check.reports[0].rows};
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
  Write("out.mif", "previous");
  Write("out.mid", "previous");

  FolderRun run({"1__F", "1__F"}, "out", utf8);
  try {
    mif::RunMerge(run);
  } catch (const mif::Exception&) {
    // Whole sources before the failing one, or the previous output.
    Check(Read("out.mid") == "previous" || Counts("out").second == Counts("1__F").second);
    Check(!std::filesystem::exists(mif::fuzz::Folder() + "out.mif.mifjoin-tmp"));
    return 0;
  }
  const auto [sourceObjects, sourceRows] = Counts("1__F");
  const auto [objects, rows] = Counts("out");
  Check(sourceObjects == sourceRows);
  Check(rows == 2 * sourceRows && objects == 2 * sourceObjects);
  return 0;
}
