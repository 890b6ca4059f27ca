#include "format/ColumnDef.h"

#include <algorithm>
#include <array>

#include "format/HeaderWords.h"
#include "text/AsciiCase.h"
#include "text/Cp932.h"

namespace mif {

namespace {

struct TypeName {
  std::string_view name;  // upper case
  ColumnType type;
  std::string_view spelling;
};

constexpr std::array<TypeName, 10> kTypes = {{
    {"CHAR", ColumnType::Char, "Char"},
    {"SMALLINT", ColumnType::SmallInt, "SmallInt"},
    {"INTEGER", ColumnType::Integer, "Integer"},
    {"LARGEINT", ColumnType::LargeInt, "LargeInt"},
    {"FLOAT", ColumnType::Float, "Float"},
    {"DECIMAL", ColumnType::Decimal, "Decimal"},
    {"DATE", ColumnType::Date, "Date"},
    {"TIME", ColumnType::Time, "Time"},
    {"DATETIME", ColumnType::DateTime, "DateTime"},
    {"LOGICAL", ColumnType::Logical, "Logical"},
}};

bool IsIntegerType(ColumnType type) {
  return type == ColumnType::SmallInt || type == ColumnType::Integer ||
         type == ColumnType::LargeInt;
}

std::string OtherSpelling(std::string_view typeText) {
  std::string other;
  other.reserve(typeText.size());
  for (const char c : typeText) {
    if (c != ' ' && c != '\t') other += c;
  }
  return UpperAsciiCp932(other);
}

int Number(const std::vector<HeaderWord>& words, std::size_t i) {
  return i < words.size() ? IntegerOf(words[i].text).value_or(0) : 0;
}

ColumnDef Retyped(const ColumnDef& column, ColumnType type, int width, int decimals) {
  ColumnDef result = column;
  if (type != column.type || width != column.width || decimals != column.decimals) {
    result.line.clear();  // no longer what the line says
  }
  if (type != ColumnType::Other) result.other.clear();
  result.type = type;
  result.width = width;
  result.decimals = decimals;
  return result;
}

}  // namespace

ColumnDef ParseColumnDef(std::string_view line) {
  ColumnDef column;
  column.line = std::string(line);
  const std::vector<HeaderWord> words = SplitHeaderWords(line, " \t,()");
  if (words.empty()) return column;
  column.name = std::string(words[0].text);
  column.folded = FoldedColumnName(column.name);
  const std::string_view typeText =
      words.size() > 1 ? line.substr(static_cast<std::size_t>(words[1].text.data() - line.data()))
                       : std::string_view();
  for (std::size_t t = 0; words.size() > 1 && t < kTypes.size(); ++t) {
    const TypeName& type = kTypes[t];
    if (!EqualsIgnoringAsciiCase(words[1].text, type.name)) continue;
    if (type.type == ColumnType::Char && words.size() < 3) break;
    if (type.type == ColumnType::Decimal && words.size() < 4) break;
    column.type = type.type;
    if (type.type == ColumnType::Char || type.type == ColumnType::Decimal) {
      column.width = Number(words, 2);
    }
    if (type.type == ColumnType::Decimal) column.decimals = Number(words, 3);
    return column;
  }
  column.other = OtherSpelling(typeText);
  return column;
}

std::string FoldedColumnName(std::string_view name) { return UpperAsciiCp932(name); }

bool SameColumnName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && FoldedColumnName(a) == FoldedColumnName(b);
}

bool SameColumnType(const ColumnDef& a, const ColumnDef& b) {
  return a.type == b.type && a.width == b.width && a.decimals == b.decimals && a.other == b.other;
}

std::optional<ColumnDef> ReconcileColumnTypes(const ColumnDef& a, const ColumnDef& b) {
  if (SameColumnType(a, b)) return a;
  if (a.type == ColumnType::Char && b.type == ColumnType::Char) {
    return Retyped(a, ColumnType::Char, std::max(a.width, b.width), 0);
  }
  if (IsIntegerType(a.type) && IsIntegerType(b.type)) {
    return Retyped(a, std::max(a.type, b.type), 0, 0);  // declared narrowest first
  }
  // A double holds every SmallInt and Integer, but not every LargeInt
  // (9007199254740993 reads back as ...992).
  const auto inFloat = [](ColumnType type) {
    return type == ColumnType::SmallInt || type == ColumnType::Integer || type == ColumnType::Float;
  };
  if (inFloat(a.type) && inFloat(b.type)) return Retyped(a, ColumnType::Float, 0, 0);
  if (a.type == ColumnType::Decimal && b.type == ColumnType::Decimal) {
    const int digits = std::max(a.width - a.decimals, b.width - b.decimals);
    const int decimals = std::max(a.decimals, b.decimals);
    if (decimals > kMaxDecimals || digits + decimals > kMaxDecimalWidth) return std::nullopt;
    return Retyped(a, ColumnType::Decimal, digits + decimals, decimals);
  }
  return std::nullopt;
}

std::string ColumnNameText(const std::string& name) {
  const bool plain = !name.empty() && name.find_first_of(" \t,()\"") == std::string::npos;
  return plain ? name : "\"" + name + "\"";
}

std::string ColumnTypeText(const ColumnDef& column) {
  for (const TypeName& type : kTypes) {
    if (type.type != column.type) continue;
    // Appended: GCC 12 warns falsely (-Wrestrict) on literal + string.
    std::string text(type.spelling);
    if (column.type == ColumnType::Char || column.type == ColumnType::Decimal) {
      text.append("(").append(std::to_string(column.width));
      if (column.type == ColumnType::Decimal)
        text.append(",").append(std::to_string(column.decimals));
      text.append(")");
    }
    return text;
  }
  return column.other;
}

std::string ColumnDefLine(const ColumnDef& column) {
  if (!column.line.empty()) return column.line;
  return "  " + ColumnNameText(column.name) + " " + ColumnTypeText(column);
}

ColumnDef WidestCharColumn(const ColumnDef& column) {
  return Retyped(column, ColumnType::Char, kMaxCharWidth, 0);
}

}  // namespace mif
