// Sources that used to merge into silently wrong output: each is merged
// right or refused, and a refusal leaves the output as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "MergeFixture.h"
#include "StatusCodeOf.h"
#include "merge/CopyLimits.h"
#include "merge/MergeError.h"
#include "merge/MergeRun.h"
#include "merge/OutputTarget.h"
#include "text/Utf8.h"

namespace mif {
namespace {

using testing::MessageOf;
using testing::PartsInputs;
using testing::StatusCodeOf;
using Fidelity = testing::MergeFixture;

const std::string kH = "Version 300\r\nDelimiter \",\"\r\nColumns 1\r\n  ID Integer\r\nData\r\n";
// kH as the first source gives it to the output.
const std::string kOutH =
    "Version 300\r\nDelimiter \",\"\r\nCOLUMNS 2\r\n    LAYER char(40)\r\n  ID Integer\r\nData\r\n";
const std::string kP = "Point 1 2\r\n    Symbol (35,0,12)\r\nPoint 3 4\r\n";

bool Has(const std::u16string& text, const std::string& utf8Part) {
  return text.find(*DecodeUtf8(utf8Part)) != std::u16string::npos;
}

TEST_F(Fidelity, ALoneCrEndsALineAsMifReadersReadIt) {
  Pair("1__A", kH + "Point 1 2\r    Symbol (35,0,12)\rPoint 3 4\r", "1\r2\r");
  Run({"1__A"});
  EXPECT_EQ(Out(".mif"), kOutH + kP);
  EXPECT_EQ(Out(".mid"), "\"A\",1\r\n\"A\",2\r\n");
}

TEST_F(Fidelity, ObjectsAndRowsThatDoNotPairUpAreRefusedAndCutBack) {
  Pair("1__A", kH + kP, "1\r\n2\r\n");
  Run({"1__A"});
  const std::string mif = Out(".mif"), mid = Out(".mid");
  Pair("2__MORE", kH + kP, "1\r\n2\r\n3\r\n");
  Pair("3__LESS", kH + kP, "1\r\n");
  // Found only as they are copied: the output holds the first source.
  const std::u16string more = Refusal({"1__A", "2__MORE"});
  EXPECT_TRUE(Has(more, "2__MORE.mif は 2 個")) << EncodeUtf8(more);
  EXPECT_TRUE(Has(more, "2__MORE.mid は 3 行")) << EncodeUtf8(more);
  EXPECT_TRUE(Has(Refusal({"1__A", "3__LESS"}), "は 1 行"));
  EXPECT_EQ(Out(".mif"), mif);
  EXPECT_EQ(Out(".mid"), mid);
  // As the first source, the previous output stays as it was, not emptied.
  EXPECT_THROW(Run({"3__LESS"}), EMergeError);
  EXPECT_EQ(Out(".mif"), mif);
  EXPECT_EQ(Out(".mid"), mid);
}

// A Ctrl-Z at the end is the end of the text; one inside a file, that
// other readers read past, would lose what follows it without a word.
TEST_F(Fidelity, TextAfterACtrlZIsRefusedNamingTheFileAndLine) {
  Pair("1__A", kH + kP + "\x1A\r\n\x1A  \r\n", "1\r\n2\r\n\x1A");
  Run({"1__A"});
  const std::string mif = Out(".mif"), mid = Out(".mid");
  EXPECT_EQ(mid, "\"A\",1\r\n\"A\",2\r\n");
  Pair("2__OBJECTS", kH + "Point 1 2\r\n\x1APoint 3 4\r\nPoint 5 6\r\n",
       "1\r\n\x1A"
       "2\r\n3\r\n");
  Pair("3__ROWS", kH + kP,
       "1\r\n\x1A"
       "2\r\n");
  keepForReader = false;
  const std::u16string objects = Refusal({"1__A", "2__OBJECTS"});
  EXPECT_TRUE(Has(objects, "Ctrl-Z")) << EncodeUtf8(objects);
  EXPECT_TRUE(Has(objects, "6 行目の後")) << EncodeUtf8(objects);
  EXPECT_TRUE(Has(objects, "2__OBJECTS.mif")) << EncodeUtf8(objects);
  const std::u16string rows = Refusal({"1__A", "3__ROWS"});
  EXPECT_TRUE(Has(rows, "1 行目の後")) << EncodeUtf8(rows);
  EXPECT_TRUE(Has(rows, "3__ROWS.mid")) << EncodeUtf8(rows);
  // Found in the first pass, which reads an undeclared source whole; a
  // declared one is read to its end only as it is copied.
  Pair("4__DECLARED",
       "Version 300\r\nCharset \"WindowsJapanese\"\r\n" + kH.substr(13) +
           "Point 1 2\r\n\x1A\r\nPoint 3 4\r\n",
       "1\r\n2\r\n");
  const std::u16string declared = Refusal({"1__A", "4__DECLARED"});
  EXPECT_TRUE(Has(declared, "7 行目の後")) << EncodeUtf8(declared);
  // The sources before are kept, whole: only 1__A's.
  EXPECT_EQ(Out(".mid"), mid);
  EXPECT_EQ(Out(".mif").substr(Out(".mif").find("Data\r\n")), "Data\r\n" + kP);
}

TEST_F(Fidelity, AQuotedValueThatNeverClosesIsRefusedNamingItsRow) {
  Pair("1__A", kH + kP + "Point 5 6\r\n", "1\r\n1,5\" pipe\r\n3\r\n");
  const std::u16string message = Refusal({"1__A"});
  EXPECT_TRUE(Has(message, "1__A.mid の 2 行目")) << EncodeUtf8(message);
}

// Found by fuzzing the pair merge: a source ending inside a Collection
// paired up on its own, but a reader of the output took the next source's
// first object as the missing part. A file cut off inside its last Pline
// pairs up too, and ogrinfo stops reading the output there, losing every
// later source.
TEST_F(Fidelity, ASourceEndingInsideAnObjectIsRefused) {
  Pair("1__C", kH + "Collection 2\r\nPline 2\r\n1 1\r\n2 2\r\n", "1\r\n");
  Pair("2__T", kH + kP + "Text\r\n", "1\r\n2\r\n3\r\n");  // its string line missing
  Pair("3__D", kH + "Collection 1\r\nPline 2\r\n1 1\r\n2 2\r\nText\r\n  \"x\"\r\n1 1 2 2\r\n",
       "1\r\n2\r\n");
  Pair("4__P", kH + "Pline 3\r\n1 1\r\n2 2\r\n", "1\r\n");
  Run({"3__D"});  // whole objects at the end pass
  for (const char* base : {"1__C", "2__T", "4__P"}) {
    const std::u16string message = Refusal({"3__D", base});
    EXPECT_TRUE(Has(message, "が足りないままファイルが終わります")) << EncodeUtf8(message);
    EXPECT_TRUE(Has(message, std::string(base) + ".mif")) << EncodeUtf8(message);
  }
  EXPECT_EQ(Out(".mid"), "\"D\",1\r\n\"D\",2\r\n");
}

TEST_F(Fidelity, AFailingSourceLeavesExactlyTheSourcesBeforeIt) {
  Pair("1__A", kH + kP, "1\r\n2\r\n");
  Pair("2__B", kH + kP, "1\r\n");  // one row short: found only as it is copied
  Pair("3__C", kH + kP, "5\r\n6\r\n");
  PartsInputs inputs({{"1__A", Folder()}, {"2__B", Folder()}, {"3__C", Folder()}}, dir.File("out"));
  EXPECT_THROW(RunMerge(inputs), EMergeError);
  EXPECT_EQ(Out(".mif"), kOutH + kP);
  EXPECT_EQ(Out(".mid"), "\"A\",1\r\n\"A\",2\r\n");
}

TEST_F(Fidelity, AHeaderRefusedInTheFirstPassLeavesTheOldOutputAlone) {
  Pair("1__A", kH + kP, "1\r\n2\r\n");
  Source("2__B.mif", kH + kP);                                       // its .mid is missing
  Pair("3__C", "Version 300\r\nColumns 1\r\n  ID Integer\r\n", "");  // no DATA
  Source("out.mif", "old");
  Source("out.mid", "old");
  keepForReader = false;  // the old output is no MIF
  for (const char* failing : {"2__B", "3__C"}) {
    PartsInputs inputs({{"1__A", Folder()}, {failing, Folder()}}, dir.File("out"));
    EXPECT_THROW(RunMerge(inputs), Exception) << failing;
    EXPECT_EQ(inputs.started, -1) << failing;  // no source started
  }
  // TearDown checks that out.mif and out.mid are as they were.
}

TEST_F(Fidelity, DelimitersAreReadBareOrQuotedAndRowsTakeTheFirsts) {
  const std::string bare = "Version 300\r\nDelimiter ;\r\nColumns 1\r\n  NAME Char(9)\r\nData\r\n";
  const std::string comma =
      "Version 300\r\nDelimiter \",\"\r\nColumns 1\r\n  NAME Char(9)\r\nData\r\n";
  Pair("1__A", bare + kP, "a\r\nb\r\n");
  // A bare value that holds the first's delimiter is quoted.
  Pair("2__B", comma + kP, "\"x;y\"\r\nu;v\r\n");
  Run({"1__A", "2__B"});
  EXPECT_EQ(Out(".mid"), "\"A\";a\r\n\"A\";b\r\n\"B\";\"x;y\"\r\n\"B\";\"u;v\"\r\n");
  Pair("3__C", "Delimiter \";;\"\r\nColumns 1\r\n  ID Integer\r\nData\r\n", "");
  EXPECT_TRUE(Has(Refusal({"1__A", "3__C"}), "区切り文字が 1 バイトの文字ではありません"));
}

TEST_F(Fidelity, AUtf8SourceIsConvertedWholeAndTheOutputDeclaresCodePage932) {
  // 道路 is E9 81 93 E8 B7 AF in UTF-8 and 93 B9 98 48 in code page 932;
  // 名前 (E5 90 8D E5 89 8D / 96 BC 91 4F) names the column.
  const std::string header =
      "Version 300\r\nCharset \"UTF-8\"\r\nDelimiter \",\"\r\nColumns 1\r\n"
      "  \xE5\x90\x8D\xE5\x89\x8D Char(10)\r\nData\r\n";
  Pair("1__U",
       header + "Text \"\xE9\x81\x93\xE8\xB7\xAF\"\r\n0 0 1 1\r\nText \"\xE9\x81\"\r\n0 0 1 1\r\n",
       "\"\xE9\x81\x93\xE8\xB7\xAF\"\r\n\"\x93\xB9\"\r\n");
  Run({"1__U"});  // without the UTF-8 option
  // A character cut off at its second byte, and code page 932 bytes among
  // UTF-8, are malformed: each sequence one '?', the rest converted.
  EXPECT_EQ(Out(".mif"),
            "Version 300\r\nCharset \"WindowsJapanese\"\r\nDelimiter \",\"\r\nCOLUMNS 2\r\n"
            "    LAYER char(40)\r\n  \x96\xBC\x91\x4F Char(10)\r\nData\r\n"
            "Text \"\x93\xB9\x98\x48\"\r\n0 0 1 1\r\nText \"?\"\r\n0 0 1 1\r\n");
  EXPECT_EQ(Out(".mid"), "\"U\",\"\x93\xB9\x98\x48\"\r\n\"U\",\"??\"\r\n");
  ASSERT_EQ(inputs->warnings.size(), 2u);
  EXPECT_TRUE(Has(inputs->warnings[0], "1 個を ? にしました (最初は 9 行目): "))
      << EncodeUtf8(inputs->warnings[0]);
  EXPECT_TRUE(Has(inputs->warnings[1], "2 個を ? にしました (最初は 2 行目): "))
      << EncodeUtf8(inputs->warnings[1]);
}

TEST_F(Fidelity, ColumnLinesThatCannotBeReadAreRefused) {
  Pair("1__NONE", "Version 300\r\nData\r\n", "");
  Pair("2__HUGE", "Columns 2147483647\r\nData\r\n", "");
  Pair("4__WORD", "Columns many\r\nData\r\n", "");
  EXPECT_TRUE(Has(Refusal({"1__NONE"}), "Columns 行がありません"));
  for (const char* base : {"2__HUGE", "4__WORD"}) {
    EXPECT_TRUE(Has(Refusal({base}), "列数が読めないか")) << base;
  }
  EXPECT_FALSE(OutExists());
}

#ifndef _WIN32
// X.mif and X.MIF are one file where the file system ignores case.
TEST_F(Fidelity, TheFileNamedIsTheFileMerged) {
  Pair("X", kH + kP, "1\r\n2\r\n");
  Source("X.MIF", kH + "Point 9 9\r\n");
  Source("X.MID", "9\r\n");
  PartsInputs upper({MakeSourceParts(dir.File("X.MIF"))}, dir.File("out"));
  RunMerge(upper);
  EXPECT_EQ(Out(".mid"), "\"X\",9\r\n");
  PartsInputs lower({MakeSourceParts(dir.File("X.mif"))}, dir.File("out"));
  RunMerge(lower);
  EXPECT_EQ(Out(".mid"), "\"X\",1\r\n\"X\",2\r\n");
}
#endif

TEST_F(Fidelity, AFolderWithACommaStaysWhole) {
  std::filesystem::create_directory(dir.File("v1,2024"));
  Source("v1,2024/2__B.mif", kH + kP);
  Source("v1,2024/2__B.mid", "1\r\n2\r\n");
  PartsInputs inputs({MakeSourceParts(dir.File("v1,2024/2__B.mif"))}, dir.File("out"));
  RunMerge(inputs);
  EXPECT_EQ(Out(".mid"), "\"B\",1\r\n\"B\",2\r\n");
}

TEST_F(Fidelity, OutputNamesWithoutAFilePartAreRefused) {
  std::filesystem::create_directory(dir.File("sub"));
  for (const std::string name : {"sub/", "sub", ".", "..", "sub/.mif", "sub/.."}) {
    EXPECT_THROW(RefuseUnusableOutputName(dir.File(name)), EMergeError) << name;
  }
  EXPECT_NO_THROW(RefuseUnusableOutputName(dir.File("sub/a")));
  EXPECT_NO_THROW(RefuseUnusableOutputName(dir.File("sub/a.mif")));
}

TEST_F(Fidelity, LongLinesStreamAndHeaderLinesAreBounded) {
  const std::string longLine = std::string(3 * kCopyPiece + 5, '1') + " 1";  // the one point
  Pair("1__L", kH + "Pline 1\r\n" + longLine + "\r\n", std::string(2 * kCopyPiece, '7') + "\r\n");
  keepForReader = false;  // lines for the copy, not for a reader
  Run({"1__L"});
  EXPECT_EQ(Out(".mif").substr(Out(".mif").size() - longLine.size() - 2), longLine + "\r\n");
  EXPECT_EQ(Out(".mid"), "\"L\"," + std::string(2 * kCopyPiece, '7') + "\r\n");
  Pair("2__H", "Version 300\r\n" + std::string(kMaxHeaderLine + 1, 'x') + "\r\nData\r\n", "");
  EXPECT_TRUE(Has(Refusal({"2__H"}), "ヘッダーの行が長すぎます (2 行目)"));
}

TEST_F(Fidelity, Utf8LinesPastTheBoundAreCopiedUnchanged) {
  // 道 E9 81 93 is 93 B9 in code page 932.
  const std::string longText = "Text \"" + std::string(kMaxConvertedLine, 'a') + "\xE9\x81\x93\"";
  // Declared code page 932: the UTF-8 lines are the objects' alone, as
  // --utf8 was made for.
  const std::string declared = "Version 300\r\nCharset \"WindowsJapanese\"\r\n" + kH.substr(13);
  Pair("1__U", declared + longText + "\r\n0 0 1 1\r\nText \"\xE9\x81\x93\"\r\n0 0 1 1\r\n",
       "1\r\n2\r\n");
  keepForReader = false;  // lines for the copy, not for a reader
  Run({"1__U"}, true);
  const std::string mif = Out(".mif");
  EXPECT_NE(mif.find(longText + "\r\n"), std::string::npos);
  EXPECT_NE(mif.find("Text \"\x93\xB9\"\r\n"), std::string::npos);
}

// The output's Charset was the first source's: a first that declared none
// (or Neutral) before WindowsJapanese sources made GDAL read their Japanese
// as raw bytes.
TEST_F(Fidelity, TheOutputDeclaresTheCharsetTheDeclaringSourcesShare) {
  const std::string columns = "Columns 1\r\n  NAME Char(10)\r\nData\r\nPoint 1 2\r\n";
  Pair("1__NONE", "Version 300\r\n" + columns, "\"a\"\r\n");
  Pair("2__NEUTRAL", "Version 300\r\nCharset \"Neutral\"\r\n" + columns, "\"b\"\r\n");
  // 道路 (93 B9 98 48), as a Japanese translator writes it.
  Pair("3__JA", "Version 300\r\nCharset \"WindowsJapanese\"\r\n" + columns,
       "\"\x93\xB9\x98\x48\"\r\n");
  for (const std::vector<std::string>& bases : {std::vector<std::string>{"1__NONE", "3__JA"},
                                                std::vector<std::string>{"2__NEUTRAL", "3__JA"},
                                                std::vector<std::string>{"3__JA", "1__NONE"}}) {
    Run(bases);
    const std::string mif = Out(".mif");
    EXPECT_EQ(mif.rfind("Version 300\r\nCharset \"WindowsJapanese\"\r\n", 0), 0u) << mif;
    EXPECT_EQ(mif.find("Neutral"), std::string::npos) << mif;
    EXPECT_TRUE(inputs->warnings.empty());  // their text is code page 932
  }
  Run({"1__NONE", "2__NEUTRAL"});  // nobody declares: nothing is added
  EXPECT_EQ(Out(".mif").find("Charset \"WindowsJapanese\""), std::string::npos);
  // GDAL's MIF writer declares Neutral and writes UTF-8 (道路 E9 81 93 E8
  // B7 AF): its text is read as UTF-8 and converted, and said in a note.
  Pair("4__GDAL", "Version 300\r\nCharset \"Neutral\"\r\n" + columns,
       "\"\xE9\x81\x93\xE8\xB7\xAF\"\r\n");
  for (const std::vector<std::string>& bases : {std::vector<std::string>{"3__JA", "4__GDAL"},
                                                std::vector<std::string>{"4__GDAL", "1__NONE"}}) {
    Run(bases);
    EXPECT_TRUE(inputs->warnings.empty()) << EncodeUtf8(inputs->warnings.front());
    ASSERT_EQ(inputs->notes.size(), 1u);
    EXPECT_TRUE(Has(inputs->notes[0], "Charset \"Neutral\" と宣言し、本文が UTF-8 のため"))
        << EncodeUtf8(inputs->notes[0]);
    EXPECT_NE(Out(".mid").find("\t\"\x93\xB9\x98\x48\"\r\n"), std::string::npos);
    EXPECT_EQ(Out(".mif").find("Neutral"), std::string::npos);
    EXPECT_NE(Out(".mif").find("Charset \"WindowsJapanese\""), std::string::npos);
  }
}

// A source whose text is of both kinds is read as code page 932: a short
// code page 932 run can be well-formed UTF-8, so it is told, not refused.
TEST_F(Fidelity, TextOfBothKindsIsReadAsCodePage932AndTold) {
  const std::string header =
      "Version 300\r\nCharset \"Neutral\"\r\nColumns 1\r\n  NAME Char(10)\r\nData\r\n";
  // A Text object in UTF-8 (道 E9 81 93), its row in code page 932 (道 93 B9).
  Pair("1__MIXED", header + "Text \"\xE9\x81\x93\"\r\n    0 0 1 1\r\n", "\"\x93\xB9\"\r\n");
  Pair("2__JA",
       "Version 300\r\nCharset \"WindowsJapanese\"\r\n" + header.substr(32) + "Point 1 2\r\n",
       "\"\x93\xB9\"\r\n");
  keepForReader = false;  // one line of it is no code page 932, on purpose
  Run({"1__MIXED"});
  ASSERT_EQ(inputs->warnings.size(), 1u);
  EXPECT_TRUE(Has(inputs->warnings[0], "UTF-8 の行 (最初は 6 行目 ("))
      << EncodeUtf8(inputs->warnings[0]);
  EXPECT_TRUE(Has(inputs->warnings[0], "1__MIXED.mid)")) << EncodeUtf8(inputs->warnings[0]);
  EXPECT_NE(Out(".mif").find("Text \"\xE9\x81\x93\""), std::string::npos);  // as it stands
  // --utf8 converts the objects' UTF-8 lines, as it was made to: nothing to tell.
  Run({"1__MIXED"}, true);
  EXPECT_TRUE(inputs->warnings.empty()) << EncodeUtf8(inputs->warnings.front());
  EXPECT_NE(Out(".mif").find("Text \"\x93\xB9\""), std::string::npos);
  // Beside a source that declares code page 932, its UTF-8 line is told
  // too, naming what it declares.
  Run({"2__JA", "1__MIXED"});
  ASSERT_EQ(inputs->warnings.size(), 2u);
  EXPECT_TRUE(Has(inputs->warnings[1], "Charset \"Neutral\" と宣言し、UTF-8 のように見える行"))
      << EncodeUtf8(inputs->warnings[1]);
  std::vector<std::string> read;
  for (const SourceReport& report : Check({"2__JA", "1__MIXED"}))
    read.push_back(report.charsetRead);
  EXPECT_EQ(read,
            (std::vector<std::string>{"WindowsJapanese (declared)", "WindowsJapanese (text)"}));
}

TEST_F(Fidelity, AByteOrderMarkIsNoText) {
  // A UTF-8 editor's EF BB BF before Version and before the first row.
  Pair("1__B",
       "\xEF\xBB\xBFVersion 300\r\nCharset \"UTF-8\"\r\nColumns 1\r\n  ID Integer\r\n"
       "Data\r\nPoint 1 2\r\n",
       "\xEF\xBB\xBF"
       "1\r\n");
  Run({"1__B"});
  EXPECT_EQ(Out(".mif").rfind("Version 300\r\nCharset \"WindowsJapanese\"\r\n", 0), 0u);
  EXPECT_EQ(Out(".mid"), "\"B\"\t1\r\n");
  EXPECT_TRUE(inputs->warnings.empty());
}

// As GDAL's win1251_text.mif: no columns, one Text object, and a .mid of
// two empty lines. A source without columns has no values to misalign.
TEST_F(Fidelity, ASourceWithoutColumnsHasARowAnObjectWhateverItsMidHolds) {
  Pair("1__TEXT",
       "Version 300\r\nCharset \"WindowsJapanese\"\r\nDelimiter \",\"\r\nColumns 0\r\n"
       "Data\r\nText \"T\"\r\n    10 20 94 23\r\n",
       "\r\n\r\n");
  Run({"1__TEXT"});
  EXPECT_EQ(Out(".mid"), "\"TEXT\"\r\n");
  // Beside a source delimited otherwise, merged with all columns.
  Pair("2__ROAD",
       "Version 300\r\nCharset \"WindowsJapanese\"\r\nColumns 1\r\n  ID Integer\r\n"
       "Data\r\nPoint 1 2\r\n",
       "7\r\n");
  options.columns = ColumnsMode::Union;
  Run({"2__ROAD", "1__TEXT"});
  EXPECT_EQ(Out(".mid"), "\"ROAD\"\t7\r\n\"TEXT\"\t\r\n");
  Run({"1__TEXT", "2__ROAD"});
  EXPECT_EQ(Out(".mid"), "\"TEXT\",\r\n\"ROAD\",7\r\n");
}

TEST_F(Fidelity, EmptyLinesAfterTheLastRowAreNoRows) {
  Pair("1__A", kH + kP, "1\r\n2\r\n\r\n\r\n");  // as some writers end a file
  Run({"1__A"});
  EXPECT_EQ(Out(".mid"), "\"A\",1\r\n\"A\",2\r\n");
  // Within the count an empty line is a row of one empty value.
  Pair("2__B", kH + kP, "\r\n2\r\n");
  Pair("3__C", kH + kP, "1\r\n\r\n\r\n");
  Run({"2__B", "3__C"});
  EXPECT_EQ(Out(".mid"), "\"B\",\r\n\"B\",2\r\n\"C\",1\r\n\"C\",\r\n");
  // Empty lines before a row still count, and then do not pair up.
  Pair("4__D", kH + kP, "\r\n\r\n2\r\n");
  EXPECT_TRUE(Has(Refusal({"4__D"}), "は 3 行"));
}

// A CAD-derived source whose first column is Layer: its values become the
// layer, as a merged output's do; that is said, not silent.
TEST_F(Fidelity, AFirstColumnNamedLayerIsTakenAsTheLayerAndSaid) {
  Pair("1__CAD", "Version 300\r\nColumns 2\r\n  Layer Char(10)\r\n  ID Integer\r\nData\r\n" + kP,
       "\"0\"\t1\r\n\"DIM\"\t2\r\n");
  Run({"1__CAD"});
  EXPECT_EQ(Out(".mid"), "\"0\"\t1\r\n\"DIM\"\t2\r\n");
  ASSERT_EQ(inputs->warnings.size(), 1u);
  EXPECT_TRUE(Has(inputs->warnings[0], "先頭の列 Layer の値をレイヤー名にしました"));
  const std::vector<SourceReport> reports = Check({"1__CAD"});
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].ownAdded, 1);
  ASSERT_EQ(reports[0].warnings.size(), 1u);
  EXPECT_EQ(reports[0].warnings[0].text, inputs->warnings[0]);
  EXPECT_EQ(reports[0].warnings[0].kind, WarningKind::MergedOutput);
}

// Bounds joined from several tiles used to be written 2e+05.
TEST_F(Fidelity, JoinedBoundsAreWrittenInPlainDecimals) {
  const std::string zone = "CoordSys Earth Projection 8, 97, \"m\", 129, 0, 0.9999, 500000, 0";
  Pair("1__A",
       "Version 300\r\n" + zone +
           " Bounds (0, 0) (200000, 100000)\r\nColumns 1\r\n"
           "  ID Integer\r\nData\r\nPoint 1 1\r\n",
       "1\r\n");
  Pair("2__B",
       "Version 300\r\n" + zone +
           " Bounds (-0.5, 0) (300000, 1000000)\r\nColumns 1\r\n"
           "  ID Integer\r\nData\r\nPoint 2 2\r\n",
       "2\r\n");
  Run({"1__A", "2__B"});
  EXPECT_NE(Out(".mif").find(zone + " Bounds (-0.5, 0) (300000, 1000000)\r\n"), std::string::npos)
      << Out(".mif");
}

}  // namespace
}  // namespace mif
