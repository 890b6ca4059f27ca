#include "format/ColumnDef.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

ColumnDef Def(const std::string& line) { return ParseColumnDef(line); }

// The reconciled type as a definition spells it, or "refused".
std::string Met(const std::string& a, const std::string& b) {
  const auto met = ReconcileColumnTypes(Def(a), Def(b));
  return met ? ColumnTypeText(*met) : "refused";
}

TEST(ColumnDef, ReadAsMifReadersReadThem) {
  const ColumnDef quoted = Def("  \"my col\" char ( 26 )");
  EXPECT_EQ(quoted.name, "my col");
  EXPECT_EQ(quoted.type, ColumnType::Char);
  EXPECT_EQ(quoted.width, 26);
  const ColumnDef decimal = Def("\tD Decimal(10,2)");
  EXPECT_EQ(decimal.type, ColumnType::Decimal);
  EXPECT_EQ(decimal.width, 10);
  EXPECT_EQ(decimal.decimals, 2);
  EXPECT_EQ(Def("ID Integer (5)").type, ColumnType::Integer);  // GDAL's width is no other type
  // Unknown types are kept by their spelling, case and blanks aside.
  const ColumnDef other = Def("G Geometry ( 3 )");
  EXPECT_EQ(other.type, ColumnType::Other);
  EXPECT_TRUE(SameColumnType(other, Def("g GEOMETRY(3)")));
  EXPECT_EQ(Def("C Char").type, ColumnType::Other);  // a Char without its width
}

TEST(ColumnDef, NamesMatchInAnyAsciiCaseButDoubleByteCharactersExactly) {
  EXPECT_TRUE(SameColumnName("Name", "NAME"));
  EXPECT_FALSE(SameColumnName("NAME", "NAME2"));
  // ア is 83 41 and ヂ 83 61: their trail bytes differ as 'A' and 'a' do.
  EXPECT_FALSE(SameColumnName("\x83\x41", "\x83\x61"));
  EXPECT_TRUE(SameColumnName("\x83\x41x", "\x83\x41X"));
}

TEST(ColumnDef, TypesMeetInTheWidestThatHoldsBoth) {
  EXPECT_EQ(Met("A Char(10)", "A Char(26)"), "Char(26)");
  EXPECT_EQ(Met("A SmallInt", "A LargeInt"), "LargeInt");
  EXPECT_EQ(Met("A Integer", "A SmallInt"), "Integer");
  EXPECT_EQ(Met("A Integer", "A Float"), "Float");
  EXPECT_EQ(Met("A Float", "A SmallInt"), "Float");
  // The most integer digits (8 and 5) and the most decimals (2 and 4).
  EXPECT_EQ(Met("A Decimal(10,2)", "A Decimal(9,4)"), "Decimal(12,4)");
  EXPECT_EQ(Met("A Date", "A date"), "Date");
}

TEST(ColumnDef, TypesThatDoNotMeetAreRefused) {
  EXPECT_EQ(Met("A Integer", "A Char(10)"), "refused");
  EXPECT_EQ(Met("A Date", "A Char(8)"), "refused");
  EXPECT_EQ(Met("A Decimal(10,2)", "A Float"), "refused");
  // A double cannot hold every LargeInt: 9007199254740993 (2^53 + 1) would
  // read back as 9007199254740992.
  EXPECT_EQ(Met("A LargeInt", "A Float"), "refused");
  EXPECT_EQ(Met("A Float", "A LargeInt"), "refused");
  EXPECT_EQ(Met("A Logical", "A Integer"), "refused");
  // 18 integer digits and 4 decimals need 22, past MapInfo's 20.
  EXPECT_EQ(Met("A Decimal(20,2)", "A Decimal(5,4)"), "refused");
}

TEST(ColumnDef, TheLineAsReadStaysWhileItsTypeDoes) {
  const ColumnDef a = Def("  Name Char(10)  ");
  EXPECT_EQ(ColumnDefLine(*ReconcileColumnTypes(a, Def("NAME Char(4)"))), "  Name Char(10)  ");
  EXPECT_EQ(ColumnDefLine(*ReconcileColumnTypes(a, Def("NAME Char(26)"))), "  Name Char(26)");
  EXPECT_EQ(ColumnDefLine(WidestCharColumn(Def("\"my col\" Integer"))), "  \"my col\" Char(254)");
}

}  // namespace
}  // namespace mif
