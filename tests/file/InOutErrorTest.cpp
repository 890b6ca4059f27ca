#include "file/InOutError.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

TEST(DescribeInOutError, TheCodeOnceAndWhatItMeans) {
  EXPECT_EQ(DescribeInOutError(EInOutError(112, "out.mif")),
            u"I/O エラー (112): ディスクの空き領域が足りません: out.mif");
  EXPECT_EQ(DescribeInOutError(EInOutError(2, "a.mid")),
            u"ファイルが見つかりません (コード 2): 名前と場所を確かめてください: a.mid");
  EXPECT_EQ(DescribeInOutError(EInOutError(32)),
            u"I/O エラー (32): ほかのプログラム (MapInfo など) がファイルを開いています");
  EXPECT_EQ(DescribeInOutError(EInOutError(103)), u"I/O エラー (103)");  // nothing to add
  // The messages of the table stay as they are.
  EXPECT_EQ(EInOutError(112).Message(), u"I/O エラー (112)");
}

#ifndef _WIN32
TEST(DescribeInOutError, ErrnoCodesGetTheSystemsText) {
  // 10005 is EIO (5) past the base of the codes without a Windows twin.
  const std::u16string text = DescribeInOutError(EInOutError(10005));
  EXPECT_EQ(text.rfind(u"I/O エラー (10005): ", 0), 0u);
  EXPECT_GT(text.size(), std::u16string(u"I/O エラー (10005): ").size());
}
#endif

}  // namespace
}  // namespace mif
