#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "ui/DialogSelection.h"
#include "ui/MessageText.h"
#include "ui/WarningsText.h"

namespace mif {
namespace {

using Names = std::vector<std::u16string>;

// A dialog buffer from a literal with its embedded zeros, counted by the
// compiler rather than by hand.
template <std::size_t N>
std::u16string Buffer(const char16_t (&text)[N]) {
  return std::u16string(text, N - 1);
}

TEST(SelectedFileNames, OneNameOrAFolderAndNamesInTheDialogsOrder) {
  EXPECT_EQ(SelectedFileNames(Buffer(u"D:\\x\\a.mif\0\0")), Names({u"D:\\x\\a.mif"}));
  EXPECT_EQ(SelectedFileNames(Buffer(u"D:\\x\0b.mif\0a.mif\0\0")),
            Names({u"D:\\x\\b.mif", u"D:\\x\\a.mif"}));
  // A folder with its "\" already (a drive's root), and names that are full.
  EXPECT_EQ(SelectedFileNames(Buffer(u"D:\\\0a.mif\0\\\\s\\b.mif\0E:\\c.mif\0\0")),
            Names({u"D:\\a.mif", u"\\\\s\\b.mif", u"E:\\c.mif"}));
  EXPECT_EQ(SelectedFileNames(Buffer(u"\0")), Names());
  // A folder ending in 表 (95 5C in code page 932) still gets its "\".
  EXPECT_EQ(SelectedFileNames(Buffer(u"D:\\表\0a.mif\0b.mif\0\0")),
            Names({u"D:\\表\\a.mif", u"D:\\表\\b.mif"}));
}

TEST(WindowTexts, OutputNameCountAndScroll) {
  EXPECT_EQ(OutputNameFromChoice(u"D:\\x\\out"), u"D:\\x\\out.mif");
  EXPECT_EQ(OutputNameFromChoice(u"D:\\x\\out.txt"), u"D:\\x\\out.mif");
  EXPECT_EQ(OutputNameFromChoice(u"D:\\x\\out.mif"), u"D:\\x\\out.mif");
  // A folder typed with U+301C 〜, as macOS and JIS-based input give it.
  EXPECT_EQ(OutputNameFromChoice(u"D:\\データ〜2024\\out"), u"D:\\データ〜2024\\out.mif");
  EXPECT_EQ(EntryCountText(3), "3\x90\x94");  // 数 90 94
  EXPECT_EQ(ScrollTopAfter(19), std::optional<int>(9));
  EXPECT_EQ(ScrollTopAfter(39), std::optional<int>(29));
  for (int i : {0, 9, 18, 20, 38}) EXPECT_FALSE(ScrollTopAfter(i)) << i;
}

TEST(WithClosingPeriod, PeriodAfterTextButNotAfterPunctuation) {
  EXPECT_EQ(WithClosingPeriod(u"abc"), u"abc.");
  for (const char16_t* unchanged : {u"abc.", u"abc!", u"abc)", u"a-", u"a ", u""}) {
    EXPECT_EQ(WithClosingPeriod(std::u16string(unchanged)), unchanged);
  }
  EXPECT_EQ(WithClosingPeriod(u"code 5"), u"code 5.");
  // ソ 83 5C: its trail byte 5C is above 2E too, but the character counts.
  EXPECT_EQ(WithClosingPeriod(u"ソ"), u"ソ.");
  // 、 81 41: the character's first byte, 81, decides.
  EXPECT_EQ(WithClosingPeriod(u"x、"), u"x、.");
  // 한 has no code page 932 form: '?', 3F, decides, and the text stays.
  EXPECT_EQ(WithClosingPeriod(u"한"), u"한.");
  // A sentence ended already, as FormatMessage's Japanese texts end
  // (「ハンドルが正しくありません。」): no "." after it.
  for (const char16_t* ended : {u"ハンドルが正しくありません。", u"x．", u"x！", u"x？"}) {
    EXPECT_EQ(WithClosingPeriod(std::u16string(ended)), ended);
  }
}

TEST(ErrorBoxText, TheFileGoesOnALineOfItsOwnAfterThePeriod) {
  EXPECT_EQ(ErrorBoxText(u"DATA 行がありません", u"C:\\GIS\\g1", u"入力 2/3"),
            u"DATA 行がありません.\r\nC:\\GIS\\g1 (入力 2/3)");
  EXPECT_EQ(ErrorBoxText(u"出力ファイルのフォルダーがありません", u"D:\\x\\out.mif", u""),
            u"出力ファイルのフォルダーがありません.\r\nD:\\x\\out.mif");
  EXPECT_EQ(ErrorBoxText(u"リストのインデックスが範囲を超えています (1)", u"", u"入力 2/3"),
            u"リストのインデックスが範囲を超えています (1)\r\n(入力 2/3)");
  EXPECT_EQ(ErrorBoxText(u"中止", u"", u""), u"中止.");
  // What the output holds, on a line of its own.
  EXPECT_EQ(ErrorBoxText(u"DATA 行がありません", u"C:\\g2", u"入力 2/3",
                         u"出力 C:\\o.mif には入力 1〜1 (3 個中) を書きました"),
            u"DATA 行がありません.\r\nC:\\g2 (入力 2/3)\r\n"
            u"出力 C:\\o.mif には入力 1〜1 (3 個中) を書きました.");
}

// The folder's files come in the lister's order (a folder's own files by
// name, then its subfolders'), marked as a folder's.
TEST(DroppedNames, MifFilesAndTheMifFilesOfFoldersInTheListersOrder) {
  const auto isFolder = [](const std::u16string& name) { return name == u"D:\\sets"; };
  const auto mifFilesIn = [](const std::u16string&) {
    return std::vector<std::string>({"D:\\sets\\b.mif", "D:\\sets\\a\\c.MIF"});
  };
  const EntryNames entries = EntriesOfDroppedNames(
      {u"D:\\x\\1.MIF", u"D:\\sets", u"D:\\note.txt", u"D:\\한.mif"}, isFolder, mifFilesIn);
  // A name code page 932 cannot hold is a file like any other.
  EXPECT_EQ(entries.added, std::vector<DroppedFile>({{"D:\\x\\1.MIF", false},
                                                     {"D:\\sets\\b.mif", true},
                                                     {"D:\\sets\\a\\c.MIF", true},
                                                     {"D:\\\xED\x95\x9C.mif", false}}));
  EXPECT_EQ(entries.skipped, Names({u"D:\\note.txt"}));
  EXPECT_EQ(SkippedNamesText(entries.skipped),
            u"次のファイルは .mif ファイルでもフォルダーでもないため追加しませんでした:"
            u"\r\nD:\\note.txt");
}

TEST(Caption, CountsTheEntriesInThousands) {
  EXPECT_EQ(CaptionText(0), u"MIFデータを連結する");
  EXPECT_EQ(CaptionText(1), u"MIFデータを連結する - 1 ファイル");
  EXPECT_EQ(CaptionText(999), u"MIFデータを連結する - 999 ファイル");
  EXPECT_EQ(CaptionText(2001), u"MIFデータを連結する - 2,001 ファイル");
  EXPECT_EQ(CaptionText(1234567), u"MIFデータを連結する - 1,234,567 ファイル");
}

// Counts per kind in the order the kinds came, each file named once, the
// rest counted.
TEST(WarningsBox, CountsEachKindAndNamesItsFirstFiles) {
  std::vector<WarningNote> notes = {{WarningKind::TextReplaced, u"a.mif"},
                                    {WarningKind::Duplicate, u"b.mif"},
                                    {WarningKind::TextReplaced, u"a.mif"}};  // its .mid
  for (const char16_t* file : {u"c.mif", u"d.mif", u"e.mif"}) {
    notes.push_back({WarningKind::Duplicate, file});
  }
  EXPECT_EQ(WarningsText(notes),
            u"結合しましたが、警告が 6 件あります:\r\n\r\n"
            u"文字を ? にして書いたもの: 2 件\r\n  a.mif\r\n\r\n"
            u"二度ある入力 (同じファイル、またはほかのフォルダーの同じ名前): 4 件\r\n"
            u"  b.mif\r\n  c.mif\r\n  d.mif\r\n  ほか 1 ファイル");
}

TEST(PlainBox, ClipboardTextAndMeasures) {
  EXPECT_EQ(PlainBoxClipboardText(u"T", u"한", u"&OK"),
            u"---------------------------\r\nT\r\n---------------------------\r\n한\r\n"
            u"---------------------------\r\nOK   \r\n---------------------------\r\n");
  // An average character of 7 x 15 pixels (a 9 pt UI font), a text of
  // 200 x 15, "OK" 15 wide: margins 14 and 15, space 19, button 88 x 26.
  const PlainBoxLayout layout = LayOutPlainBox(7, 15, 200, 15, 15);
  EXPECT_EQ(layout.buttonWidth, 88);   // 50 * 7 / 4 = 87.5, half away from zero
  EXPECT_EQ(layout.buttonHeight, 26);  // 14 * 15 / 8 = 26.25
  EXPECT_EQ(layout.clientWidth, 200 + 2 * 14);
  EXPECT_EQ(layout.clientHeight, 15 + 26 + 19 + 2 * 15);
  EXPECT_EQ(layout.buttonLeft, (228 - 88) / 2);
  EXPECT_EQ(layout.buttonTop, 15 + 15 + 19);
  EXPECT_EQ(LayOutPlainBox(7, 15, 10, 15, 100).buttonWidth, 108);  // a wide button caption
  // A window caption wider than the text: the box takes its width, the
  // button stays in the middle.
  const PlainBoxLayout wide = LayOutPlainBox(7, 15, 200, 15, 15, 400);
  EXPECT_EQ(wide.clientWidth, 400);
  EXPECT_EQ(wide.buttonLeft, (400 - 88) / 2);
}

}  // namespace
}  // namespace mif
