#include "merge/OutputSchema.h"

#include <gtest/gtest.h>

#include "text/Utf8.h"

namespace mif {
namespace {

MifHeader Header(std::vector<std::string> columns, std::vector<std::string> clauses = {}) {
  std::vector<std::string> lines = {"Version 300", "Delimiter \",\""};
  lines.insert(lines.end(), clauses.begin(), clauses.end());
  lines.push_back("Columns " + std::to_string(columns.size()));
  for (const std::string& column : columns) lines.push_back("  " + column);
  lines.push_back("Data");
  return ParseMifHeader(lines);
}

std::vector<std::string> Columns(const OutputSchema& schema) {
  std::vector<std::string> lines;
  for (const ColumnDef& column : schema.columns) lines.push_back(ColumnDefLine(column));
  return lines;
}

std::string ProblemOf(const SchemaBuilder& builder) {
  return builder.ColumnProblem() ? builder.ColumnProblem()->what() : "";
}

TEST(OutputSchema, TheFirstSourcesColumnsTakeReorderedAndWiderOnes) {
  SchemaBuilder builder;
  builder.Add(Header({"ID Integer", "NAME Char(10)"}), "a.mif", {"A"});
  builder.Add(Header({"name Char(26)", "id SmallInt"}), "b.mif", {"B"});
  EXPECT_FALSE(builder.ColumnProblem());
  const OutputSchema schema = builder.Plan(ColumnsMode::First);
  EXPECT_EQ(Columns(schema), std::vector<std::string>({"  ID Integer", "  NAME Char(26)"}));
  const SourceLayout b =
      FitSource(schema, Header({"name Char(26)", "id SmallInt"}), "b.mif", {"B"});
  EXPECT_EQ(b.valueOf, std::vector<int>({1, 0}));
  EXPECT_FALSE(b.inPlace);
  EXPECT_TRUE(FitSource(schema, Header({"ID Integer", "NAME Char(4)"}), "a.mif", {"A"}).inPlace);
}

TEST(OutputSchema, EachColumnDifferenceIsRefusedNamingBothSides) {
  const auto problem = [](std::vector<std::string> second) {
    SchemaBuilder builder;
    builder.Add(Header({"ID Integer", "NAME Char(10)"}), "a.mif", {"A"});
    builder.Add(Header(std::move(second)), "b.mif", {"B"});
    EXPECT_THROW(builder.Plan(ColumnsMode::First), EColumnsError);
    return ProblemOf(builder);
  };
  EXPECT_EQ(problem({"ID Integer"}),
            "最初の入力ファイル a.mif の列 NAME (NAME Char(10)) がありません: b.mif");
  EXPECT_EQ(problem({"ID Integer", "NAME Char(10)", "KIND Char(4)"}),
            "列 KIND (KIND Char(4)) が最初の入力ファイル a.mif にありません: b.mif");
  // The same count of columns, another name: the case the count let through.
  EXPECT_EQ(problem({"ID Integer", "TITLE Char(10)"}),
            "列 TITLE (TITLE Char(10)) が最初の入力ファイル a.mif にありません: b.mif");
  EXPECT_EQ(
      problem({"ID Char(8)", "NAME Char(10)"}),
      "列 ID の型を合わせられません: b.mif は ID Char(8)、最初のファイル a.mif は ID Integer");
}

TEST(OutputSchema, UnionAndIntersectionByName) {
  SchemaBuilder builder;
  builder.Add(Header({"ID Integer", "NAME Char(10)"}), "a.mif", {"A"});
  builder.Add(Header({"KIND Char(4)", "ID Char(8)"}), "b.mif", {"B"});
  const OutputSchema all = builder.Plan(ColumnsMode::Union);
  // ID's types do not meet: Char(254) holds both.
  EXPECT_EQ(Columns(all),
            std::vector<std::string>({"  ID Char(254)", "  NAME Char(10)", "  KIND Char(4)"}));
  EXPECT_EQ(FitSource(all, Header({"KIND Char(4)", "ID Char(8)"}), "b.mif", {"B"}).valueOf,
            std::vector<int>({1, -1, 0}));
  const OutputSchema shared = builder.Plan(ColumnsMode::Intersection);
  EXPECT_EQ(Columns(shared), std::vector<std::string>({"  ID Char(254)"}));
  EXPECT_EQ(FitSource(shared, Header({"ID Integer", "NAME Char(10)"}), "a.mif", {"A"}).valueOf,
            std::vector<int>({0}));
}

TEST(OutputSchema, ALayerColumnOfItsOwnIsKeptOnlyInFront) {
  SchemaBuilder builder;
  builder.Add(Header({"LAYER Char(60)", "ID Integer"}), "merged.mif", {"merged"});
  builder.Add(Header({"ID Integer"}), "b.mif", {"B"});
  const OutputSchema schema = builder.Plan(ColumnsMode::First);
  EXPECT_EQ(Columns(schema), std::vector<std::string>({"  ID Integer"}));
  EXPECT_EQ(schema.layerWidth, 60);  // the merged output's own values may be that long
  const SourceLayout own =
      FitSource(schema, Header({"Layer Char(60)", "ID Integer"}), "merged.mif", {"merged"});
  EXPECT_EQ(own.own, 1);
  EXPECT_TRUE(own.inPlace);
  EXPECT_THROW(builder.Add(Header({"ID Integer", "LAYER Char(40)"}), "c.mif", {"C"}), EMergeError);
}

TEST(OutputSchema, AHeaderEachSourceMustHaveAlone) {
  const auto refusal = [](const MifHeader& header) {
    try {
      SchemaBuilder().Add(header, "a.mif", {"A"});
    } catch (const EMergeError& error) {
      return std::string(error.what());
    }
    return std::string("merged");
  };
  EXPECT_EQ(refusal(Header({"ID Integer", "id Char(4)"})),
            "同じ名前の列が 2 つあります (id): a.mif");
  EXPECT_EQ(refusal(ParseMifHeader({"Columns 2", "  ID Integer", "Data"})),
            "列の定義が Columns 行の列数 (2) より少ない (1) まま DATA 行になります: a.mif");
  EXPECT_EQ(refusal(Header({"ID Integer", "Layer Char(40)"})),
            "加える LAYER 列と同じ名前の列が 2 列目にあり、出力に LAYER 列が 2 つできてしまいます: "
            "a.mif");
  EXPECT_EQ(refusal(Header({})), "merged");  // Columns 0
}

TEST(OutputSchema, LayerNamesWidenTheLayerColumnUpTo254Bytes) {
  SchemaBuilder builder;
  builder.Add(Header({"ID Integer"}), "a.mif", {std::string(41, 'x')});
  EXPECT_EQ(builder.Plan(ColumnsMode::First).layerWidth, 41);
  EXPECT_THROW(builder.Add(Header({"ID Integer"}), "b.mif", {std::string(255, 'x')}), EMergeError);
}

TEST(OutputSchema, ClausesMustAgreeWithTheFirstAndBoundsJoin) {
  const std::string zone = "CoordSys Earth Projection 8, 97, \"m\", 129, 0, 0.9999, 500000, 0";
  SchemaBuilder builder;
  builder.Add(Header({"ID Integer"}, {zone + " Bounds (0, 0) (10, 10)"}), "a.mif", {"A"});
  builder.Add(Header({"ID Integer"}, {zone, " Bounds (-5, 5) (5, 20)"}), "b.mif", {"B"});
  const OutputSchema schema = builder.Plan(ColumnsMode::First);
  EXPECT_EQ(schema.bounds, (Bounds{-5, 0, 10, 20}));
  try {
    builder.Add(Header({"ID Integer"}), "c.mif", {"C"});
    FAIL();
  } catch (const EMergeError& error) {
    EXPECT_EQ(std::string(error.what()),
              "CoordSys が最初の入力ファイルと違います: c.mif は (CoordSys なし)、最初のファイル "
              "a.mif は \"CoordSys Earth Projection 8, 97, \"m\", 129, 0, 0.9999, 500000, 0 "
              "Bounds (0, 0) (10, 10)\"");
  }
  EXPECT_THROW(builder.Add(Header({"ID Integer"}, {zone, "Transform 2, 2, 0, 0"}), "d.mif", {"D"}),
               EMergeError);
  // A source read again that lies outside the written Bounds no longer fits.
  EXPECT_THROW(
      FitSource(schema, Header({"ID Integer"}, {zone + " Bounds (0, 0) (99, 99)"}), "b.mif", {"B"}),
      EMergeError);
}

TEST(OutputHeader, NumbersCountLayerAndFollowTheirColumns) {
  SchemaBuilder builder;
  builder.Add(Header({"ID Integer", "NAME Char(10)", "NOTE Char(5)"},
                     {"Unique 1", "Index 3,2", "CoordSys Earth Projection 1, 104",
                      "  Bounds (0, 0) (1, 1)"}),
              "a.mif", {"A"});
  builder.Add(Header({"NOTE Char(5)", "ID Integer"},
                     {"CoordSys Earth Projection 1, 104 Bounds (2, 2) (3, 3)"}),
              "b.mif", {"B"});
  // NAME is only in the first: the intersection drops it, and its Index entry.
  EXPECT_EQ(OutputHeaderLines(builder.Plan(ColumnsMode::Intersection)),
            std::vector<std::string>({"Version 300", "Delimiter \",\"", "Unique 2", "Index 3",
                                      "CoordSys Earth Projection 1, 104 Bounds (0, 0) (3, 3)",
                                      "COLUMNS 3", "    LAYER char(40)", "  ID Integer",
                                      "  NOTE Char(5)", "Data"}));
}

TEST(OutputHeader, AnUnchangedClauseStaysAsWrittenAndVersionIsTheHighest) {
  SchemaBuilder builder;
  const std::vector<std::string> clause = {"CoordSys Earth Projection 1, 104",
                                           "  Bounds (0, 0) (1, 1)"};
  builder.Add(Header({"ID Integer"}, clause), "a.mif", {"A"});
  MifHeader later = Header({"ID Integer"}, clause);
  later.version = 650;
  builder.Add(later, "b.mif", {"B"});
  const std::vector<std::string> lines = OutputHeaderLines(builder.Plan(ColumnsMode::First));
  EXPECT_EQ(lines,
            std::vector<std::string>({"Version 650", "Delimiter \",\"", clause[0], clause[1],
                                      "COLUMNS 2", "    LAYER char(40)", "  ID Integer", "Data"}));
}

}  // namespace
}  // namespace mif
