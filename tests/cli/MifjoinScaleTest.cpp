// Ten thousand small sources through mifjoin --from-list: every object and
// row arrives, each row with its own source's layer value, in list order.
#include <gtest/gtest.h>

#include <sstream>

#include "ScratchDir.h"
#include "cli/Mifjoin.h"

namespace mif {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

TEST(MifjoinScale, TenThousandSourcesArriveWholeAndInOrder) {
  ScratchDir dir;
  constexpr int kSources = 10000;
  const std::string header =
      "Version 300\r\nDelimiter \",\"\r\nColumns 1\r\n  ID Integer\r\nData\r\n";
  std::string list, wantMid;
  int wantObjects = 0;
  for (int s = 0; s < kSources; ++s) {
    // Names sort differently from the list's order: the order given counts.
    std::string layer = "L";
    layer += std::to_string((s * 7919) % kSources);
    const std::string base = dir.File(std::to_string(s).append("__").append(layer));
    std::string mif = header, mid;
    for (int i = 0; i <= s % 3; ++i) {  // one to three objects
      mif += "Pline 2\r\n139.7 35.6\r\n139.8 35.7\r\n";
      mid += std::to_string(i) + "\r\n";
      wantMid.append("\"").append(layer).append("\",").append(std::to_string(i)).append("\r\n");
      ++wantObjects;
    }
    WriteBytes(base + ".mif", mif);
    WriteBytes(base + ".mid", mid);
    list += base + ".mif\n";
  }
  WriteBytes(dir.File("list.txt"), list);
  std::ostringstream out, err;
  ASSERT_EQ(
      RunMifjoin({"-q", "-o", dir.File("out"), "--from-list", dir.File("list.txt")}, out, err, {}),
      0)
      << err.str();
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), wantMid);
  const std::string mif = ReadBytes(dir.File("out.mif"));
  std::size_t objects = 0;
  for (std::size_t at = mif.find("Pline 2\r\n"); at != std::string::npos;
       at = mif.find("Pline 2\r\n", at + 1)) {
    ++objects;
  }
  EXPECT_EQ(objects, static_cast<std::size_t>(wantObjects));
  EXPECT_EQ(mif.find("Data\r\n"), mif.rfind("Data\r\n"));  // one header only
}

}  // namespace
}  // namespace mif
