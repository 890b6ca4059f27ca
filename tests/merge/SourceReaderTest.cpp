#include "merge/SourceReader.h"

#include <gtest/gtest.h>

#include "MergeFixture.h"
#include "file/InOutError.h"
#include "merge/MergeError.h"

namespace mif {
namespace {

using SourceReaderTest = testing::MergeFixture;

const std::string kHeader = "Version 300\r\nColumns 1\r\n  ID Integer\r\nData\r\n";

const MifHeader& Open(SourceReader& reader) {
  reader.OpenMif();
  return reader.ReadHeader();
}

TEST_F(SourceReaderTest, TheMidIsFoundInTheMifsCase) {
  Source("X.MIF", kHeader);
  Source("X.MID", "");
  SourceReader upper({"X", Folder(), ".MIF"}, options.makeDevice);
  Open(upper);
  upper.FindMid();
  EXPECT_EQ(upper.Names().mid, dir.File("X.MID"));
}

#ifndef _WIN32
// Windows's file systems find every spelling by the name itself.
TEST_F(SourceReaderTest, OnACaseSensitiveSystemAnyCaseOfTheWholeNameIsFound) {
  Source("ab.mif", kHeader);
  Source("ab.mid", "");
  // AB.MIF names ab.mif and finds ab.mid, as Windows would.
  SourceReader reader({"AB", Folder(), ".MIF"}, options.makeDevice);
  Open(reader);
  reader.OpenMid();
  EXPECT_EQ(reader.Names().mif, dir.File("ab.mif"));
  EXPECT_EQ(reader.Names().mid, dir.File("ab.mid"));
  // Two other spellings: the first in byte order, whatever the folder's.
  Source("cd.mif", kHeader);
  Source("CD.Mid", "");
  Source("Cd.mid", "");
  SourceReader two({"cd", Folder(), ".mif"}, options.makeDevice);
  Open(two);
  two.FindMid();
  EXPECT_EQ(two.Names().mid, dir.File("CD.Mid"));
  // X.mif with X.MID and x.mid beside it: X.mid is missing, and X.MID comes
  // before x.mid in byte order.
  Source("X.MIF", kHeader);
  Source("X.MID", "");
  Source("x.mid", "");
  SourceReader x({"X", Folder(), ".mif"}, options.makeDevice);
  Open(x);
  x.FindMid();
  EXPECT_EQ(x.Names().mid, dir.File("X.MID"));
}
#endif

TEST_F(SourceReaderTest, OnlyASourceWithoutColumnsMayLackItsMid) {
  Source("none.mif", "Version 300\r\nColumns 0\r\nData\r\n");
  Source("one.mif", kHeader);
  SourceReader none({"none", Folder()}, options.makeDevice);
  Open(none);
  none.FindMid();
  EXPECT_FALSE(none.HasMid());
  SourceReader one({"one", Folder()}, options.makeDevice);
  Open(one);
  try {
    one.FindMid();
    FAIL();
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.StatusCode(), 2);
    EXPECT_EQ(error.FileName(), dir.File("one.mid"));
  }
}

TEST_F(SourceReaderTest, TheHeaderEndsAtDataAndAByteOrderMarkIsDropped) {
  Source("nodata.mif", "Version 300\r\nColumns 1\r\n  ID Integer\r\nDATA 1\r\nPoint 1 2\r\n");
  SourceReader nodata({"nodata", Folder()}, options.makeDevice);
  try {
    Open(nodata);
    FAIL();
  } catch (const EMergeError& error) {
    EXPECT_EQ(error.Message().rfind(u"DATA 行がありません: ", 0), 0u);
  }
  Source("empty.mif", "");
  SourceReader empty({"empty", Folder()}, options.makeDevice);
  EXPECT_THROW(Open(empty), EMergeError);
  // A UTF-8 editor's EF BB BF, which would hide Version from a reader.
  Source("bom.mif", "\xEF\xBB\xBF" + kHeader);
  SourceReader bom({"bom", Folder()}, options.makeDevice);
  EXPECT_EQ(Open(bom).version, 300);
  EXPECT_EQ(bom.Header().lines.front(), "Version 300");
}

}  // namespace
}  // namespace mif
