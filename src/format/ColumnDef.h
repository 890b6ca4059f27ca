// A column definition of a .mif header ("  NAME Char(10)"), read as MIF
// readers read it, and how two definitions of one column meet in the
// output: the type that holds the values of both, or none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mif {

enum class ColumnType : std::uint8_t {
  Char,
  SmallInt,
  Integer,
  LargeInt,
  Float,
  Decimal,
  Date,
  Time,
  DateTime,
  Logical,
  Other,  // a type no reader here knows; compared by its spelling
};

// Code page 932 throughout.
struct ColumnDef {
  std::string name;    // without quotes
  std::string folded;  // the name as names are matched (FoldedColumnName)
  ColumnType type = ColumnType::Other;
  int width = 0;      // Char(width), Decimal(width, decimals)
  int decimals = 0;   //
  std::string other;  // an Other type as written, blanks dropped, upper case
  std::string line;   // the definition line as read
};

// Splits the line into words at blanks, commas and parentheses, a quoted
// word whole: the name, the type, and the type's numbers.
ColumnDef ParseColumnDef(std::string_view line);

// The widest of MapInfo's types: Char(254), Decimal(20, 16).
inline constexpr int kMaxCharWidth = 254;
inline constexpr int kMaxDecimalWidth = 20;
inline constexpr int kMaxDecimals = 16;

// Whether the names are one column's: ASCII letters in either case (as
// MapInfo takes them), every other character exactly, a double-byte
// character never folded.
bool SameColumnName(std::string_view a, std::string_view b);

// The name with its ASCII letters in upper case, double-byte characters
// as they are: equal for names SameColumnName takes as one.
std::string FoldedColumnName(std::string_view name);

// Whether the definitions declare the same type; names are not compared.
bool SameColumnType(const ColumnDef& a, const ColumnDef& b);

// The type that holds every value of both without loss, named and worded
// as `a`: Char of the larger width; the wider of SmallInt, Integer and
// LargeInt; Float for SmallInt or Integer with Float; Decimal with the most
// integer digits and the most decimals of both, within 20 and 16. Nothing
// for any other difference.
std::optional<ColumnDef> ReconcileColumnTypes(const ColumnDef& a, const ColumnDef& b);

// A name as a definition writes it: quoted where it holds a separator.
std::string ColumnNameText(const std::string& name);
// The type as a definition spells it: "Char(26)", "Decimal(12,3)", "Integer".
std::string ColumnTypeText(const ColumnDef& column);
// The definition line for the output: the line as read when `column` is
// still of the type it was read with, else a new one ("  NAME Char(26)").
std::string ColumnDefLine(const ColumnDef& column);

// A Char(254) column of the name, for values of types that do not meet.
ColumnDef WidestCharColumn(const ColumnDef& column);

}  // namespace mif
