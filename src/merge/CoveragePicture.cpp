#include "merge/CoveragePicture.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "file/InOutError.h"
#include "file/TextLineFile.h"
#include "merge/OutputPair.h"
#include "platform/FileSystem.h"
#include "text/Utf8.h"

namespace mif {

namespace {

constexpr double kMaxCell = 24;  // pixels, a tile of a small set on the set's map
constexpr int kHeading = 46;     // the panel's name and counts above its map
constexpr int kGap = 28;
constexpr int kLegend = 86;

std::string Xml(std::u16string_view text) {
  std::string escaped;
  for (const char c : EncodeUtf8(text)) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string Code(MeshKey key) { return MeshCodeOf(CellOfKey(key)); }

struct StateLook {
  const char* style;  // the class
  const char* colour;
  const char* name;
  const char* meaning;
};

const StateLook& LookOf(TileState state) {
  static const StateLook kLooks[] = {
      {"p", "#43a047", "あり", ""},
      {"a", "#ffe082", "なし", "他のレイヤーにはある"},
      {"d", "#1e88e5", "重複", "同じタイルが2度ある"},
      {"o", "#fb8c00", "メッシュ外", "点がメッシュの外にあるオブジェクト"},
      {"x", "#e53935", "穴", "どのレイヤーにもなく、四方のタイルはある"},
      {"m", "#8e24aa", "不足", "予定にあるのに、どのレイヤーにもない"},
  };
  return kLooks[static_cast<int>(state)];
}

// A level's tiles on a map: the first-order meshes they touch, and the
// frame, in tiles of the level, that the map shows: the second-order
// meshes the tiles touch (the first-order ones for coarser levels), so
// that a small set is not lost in the first-order mesh about it.
struct Grid {
  std::int64_t rowsPerFirst = 1, columnsPerFirst = 1;
  std::set<std::pair<std::int64_t, std::int64_t>> firsts;   // row, column of the first order
  std::int64_t south = 0, west = 0, rows = 0, columns = 0;  // the frame, in tiles
  // A tile's place, north up.
  std::int64_t X(MeshKey key) const { return ColumnOfKey(key) - west; }
  std::int64_t Y(MeshKey key) const { return south + rows - 1 - RowOfKey(key); }
  // A first-order mesh's north-west corner.
  std::int64_t FirstX(std::int64_t column) const { return column * columnsPerFirst - west; }
  std::int64_t FirstY(std::int64_t row) const { return south + rows - (row + 1) * rowsPerFirst; }
};

Grid GridOf(const MeshCoverage& coverage, MeshLevel level) {
  Grid grid;
  const MeshSize tile = SizeOf(level);
  const MeshSize first = SizeOf(MeshLevel::First);
  const MeshSize frame = level > MeshLevel::Second ? SizeOf(MeshLevel::Second) : first;
  grid.rowsPerFirst = first.height / tile.height;
  grid.columnsPerFirst = first.width / tile.width;
  const std::int64_t frameRows = frame.height / tile.height;
  const std::int64_t frameColumns = frame.width / tile.width;
  std::int64_t minRow = INT64_MAX, maxRow = 0, minColumn = INT64_MAX, maxColumn = 0;
  coverage.ForEachState(nullptr, level, [&](MeshKey key, TileState) {
    const std::int64_t row = RowOfKey(key), column = ColumnOfKey(key);
    grid.firsts.emplace(row / grid.rowsPerFirst, column / grid.columnsPerFirst);
    minRow = std::min(minRow, row / frameRows);
    maxRow = std::max(maxRow, row / frameRows);
    minColumn = std::min(minColumn, column / frameColumns);
    maxColumn = std::max(maxColumn, column / frameColumns);
  });
  grid.south = minRow * frameRows;
  grid.west = minColumn * frameColumns;
  grid.rows = (maxRow - minRow + 1) * frameRows;
  grid.columns = (maxColumn - minColumn + 1) * frameColumns;
  return grid;
}

// A map: of the whole set (no part) or of a layer's tiles of one level,
// at its place in the picture.
struct Panel {
  const MeshCoverage::Part* part;
  MeshLevel level;
  const Grid* grid;
  double cell;  // pixels a tile
  double x = 0, y = 0;
  double Width() const { return static_cast<double>(grid->columns) * cell; }
  double Height() const { return static_cast<double>(grid->rows) * cell; }
};

// The whole set's map this long at most, each layer's half of it, two a row.
constexpr double kSetMap = 880, kLayerMap = 430;

Panel PanelOf(const MeshCoverage::Part* part, MeshLevel level, const Grid& grid) {
  const double side = part == nullptr ? kSetMap : kLayerMap;
  const auto longer = static_cast<double>(std::max(grid.rows, grid.columns));
  return {part, level, &grid, std::min(kMaxCell * (side / kSetMap), side / longer)};
}

class Drawing {
 public:
  Drawing(const MeshCoverage& coverage, const std::function<void(std::string_view)>& write)
      : coverage_(coverage), write_(write) {}

  void Draw();

 private:
  void Put(const std::string& text) { write_(text); }
  std::vector<Panel> Layout(const std::vector<Grid>& grids, double& width, double& height) const;
  void Legend();
  void DrawPanel(const Panel& panel);
  std::string CountsText(const Panel& panel) const;
  void Tiles(const Panel& panel);
  void Shape(const Grid& grid, MeshKey first, MeshKey last, TileState state);
  void Firsts(const Panel& panel);

  const MeshCoverage& coverage_;
  const std::function<void(std::string_view)>& write_;
};

// Each level's set map across, then its layers' maps two a row.
std::vector<Panel> Drawing::Layout(const std::vector<Grid>& grids, double& width,
                                   double& height) const {
  std::vector<Panel> panels;
  double top = kLegend;
  width = 2 * kLayerMap + kGap;
  for (std::size_t i = 0; i < grids.size(); ++i) {
    const MeshLevel level = coverage_.Levels()[i];
    Panel set = PanelOf(nullptr, level, grids[i]);
    set.y = top;
    top += kHeading + set.Height() + kGap;
    panels.push_back(set);
    double rowHeight = 0;
    int column = 0;
    for (const MeshCoverage::Part& part : coverage_.Parts()) {
      if (part.level != level) continue;
      Panel layer = PanelOf(&part, level, grids[i]);
      layer.x = column * (kLayerMap + kGap);
      layer.y = top;
      rowHeight = std::max(rowHeight, kHeading + layer.Height() + kGap);
      panels.push_back(layer);
      if (++column == 2) column = 0, top += rowHeight, rowHeight = 0;
    }
    top += rowHeight;
  }
  for (const Panel& panel : panels) width = std::max(width, panel.x + panel.Width());
  height = top;
  return panels;
}

void Drawing::Draw() {
  std::vector<Grid> grids;
  for (const MeshLevel level : coverage_.Levels()) grids.push_back(GridOf(coverage_, level));
  double width = 0, height = 0;
  const std::vector<Panel> panels = Layout(grids, width, height);
  Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
      "width=\"" +
      Number(width + 24) + "\" height=\"" + Number(height) + "\" font-family=\"" +
      "Meiryo, 'Yu Gothic', 'IPAGothic', 'Noto Sans CJK JP', sans-serif\">\n"
      "<title>メッシュの有無</title>\n<style>");
  for (int s = 0; s <= static_cast<int>(TileState::Missing); ++s) {
    const StateLook& look = LookOf(static_cast<TileState>(s));
    Put(std::string(".") + look.style + "{fill:" + look.colour + "}");
  }
  Put(".b{fill:#f2f2f2}.f{fill:none;stroke:#757575}.l{fill:#616161}.f,.l{pointer-events:none}"
      "text{font-size:13px}.h{font-size:16px;font-weight:bold}</style>\n"
      "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n");
  Legend();
  for (const Panel& panel : panels) DrawPanel(panel);
  Put("</svg>\n");
}

void Drawing::Legend() {
  Put("<g transform=\"translate(12,12)\">");
  for (int s = 0; s <= static_cast<int>(TileState::Missing); ++s) {
    const StateLook& look = LookOf(static_cast<TileState>(s));
    const double x = (s % 2) * (kLayerMap + kGap), y = (s / 2) * 22;
    Put("<rect class=\"" + std::string(look.style) + "\" x=\"" + Number(x) + "\" y=\"" + Number(y) +
        "\" width=\"14\" height=\"14\"/><text x=\"" + Number(x + 20) + "\" y=\"" + Number(y + 12) +
        "\">" + look.name + (*look.meaning ? std::string(": ") + look.meaning : "") + "</text>");
  }
  Put("</g>\n");
}

void Drawing::DrawPanel(const Panel& panel) {
  const Grid& grid = *panel.grid;
  const std::string name =
      panel.part != nullptr ? Xml(coverage_.LayerNames()[panel.part->layer]) : "全レイヤー";
  Put("<g transform=\"translate(" + Number(12 + panel.x) + "," + Number(panel.y) +
      ")\"><text class=\"h\" y=\"16\">" + name + " (" + EncodeUtf8(MeshLevelName(panel.level)) +
      ")</text><text y=\"36\">" + CountsText(panel) + "</text>\n<svg y=\"" + Number(kHeading) +
      "\" width=\"" + Number(panel.Width()) + "\" height=\"" + Number(panel.Height()) +
      "\" shape-rendering=\"crispEdges\" viewBox=\"0 0 " + std::to_string(grid.columns) + " " +
      std::to_string(grid.rows) + "\">\n");
  for (const auto& [row, column] : grid.firsts) {
    Put("<rect class=\"b\" x=\"" + std::to_string(grid.FirstX(column)) + "\" y=\"" +
        std::to_string(grid.FirstY(row)) + "\" width=\"" + std::to_string(grid.columnsPerFirst) +
        "\" height=\"" + std::to_string(grid.rowsPerFirst) + "\"/>");
  }
  Tiles(panel);
  Firsts(panel);
  Put("</svg></g>\n");
}

std::string Drawing::CountsText(const Panel& panel) const {
  const TileCounts counts = coverage_.CountsOf(panel.part, panel.level);
  std::string text = "あり " + std::to_string(counts.present);
  if (panel.part != nullptr) text += "、なし " + std::to_string(counts.absent);
  text += "、重複 " + std::to_string(counts.duplicated) + "、メッシュ外 " +
          std::to_string(counts.outside) + "、穴 " + std::to_string(counts.holes);
  if (coverage_.HasExpected()) text += "、不足 " + std::to_string(counts.missing);
  if (coverage_.HasExpected() && panel.part == nullptr) {
    text += "、予定外 " + std::to_string(coverage_.Unexpected().size());
  }
  return text;
}

// Present and absent tiles next to each other in a row are one shape.
void Drawing::Tiles(const Panel& panel) {
  const Grid& grid = *panel.grid;
  MeshKey first = 0, last = 0;
  TileState runState = TileState::Present;
  const auto flush = [&] {
    if (first != 0) Shape(grid, first, last, runState);
    first = 0;
  };
  coverage_.ForEachState(panel.part, panel.level, [&](MeshKey key, TileState state) {
    const bool runs = state == TileState::Present || state == TileState::Absent;
    if (first != 0 && runs && state == runState && RowOfKey(key) == RowOfKey(last) &&
        ColumnOfKey(key) == ColumnOfKey(last) + 1) {
      last = key;
      return;
    }
    flush();
    if (!runs) return Shape(grid, key, key, state);
    first = last = key;
    runState = state;
  });
  flush();
}

void Drawing::Shape(const Grid& grid, MeshKey first, MeshKey last, TileState state) {
  const StateLook& look = LookOf(state);
  const std::int64_t width = ColumnOfKey(last) - ColumnOfKey(first) + 1;
  std::string title = Code(first);
  if (last != first) title += " – " + Code(last) + " (" + std::to_string(width) + ")";
  title += std::string(" ") + look.name;
  if (state == TileState::Hole && coverage_.IsMissing(first)) title += "、不足";
  Put("<rect class=\"" + std::string(look.style) + "\" x=\"" + std::to_string(grid.X(first)) +
      "\" y=\"" + std::to_string(grid.Y(first)) + "\" width=\"" + std::to_string(width) +
      "\" height=\"1\"><title>" + title + "</title></rect>\n");
}

// Each first-order mesh outlined and named, above its tiles, its name in
// the frame's corner where its own is outside; unnamed where too small to
// hold its name.
void Drawing::Firsts(const Panel& panel) {
  const Grid& grid = *panel.grid;
  const double font = 11 / panel.cell;
  const bool named = static_cast<double>(grid.columnsPerFirst) * panel.cell >= 40;
  for (const auto& [row, column] : grid.firsts) {
    const std::int64_t x = grid.FirstX(column), y = grid.FirstY(row);
    const double nameX = static_cast<double>(std::max<std::int64_t>(x, 0)) + font * 0.3;
    const double nameY = static_cast<double>(std::max<std::int64_t>(y, 0)) + font * 1.1;
    const std::string code = Code(KeyOf(MeshLevel::First, row, column));
    Put("<rect class=\"f\" vector-effect=\"non-scaling-stroke\" x=\"" + std::to_string(x) +
        "\" y=\"" + std::to_string(y) + "\" width=\"" + std::to_string(grid.columnsPerFirst) +
        "\" height=\"" + std::to_string(grid.rowsPerFirst) + "\"/>");
    if (named) {
      Put("<text class=\"l\" x=\"" + Number(nameX) + "\" y=\"" + Number(nameY) +
          "\" style=\"font-size:" + Number(font) + "px\">" + code + "</text>");
    }
    Put("\n");
  }
}

}  // namespace

void DrawCoverage(const MeshCoverage& coverage,
                  const std::function<void(std::string_view)>& write) {
  Drawing(coverage, write).Draw();
}

void WriteCoveragePicture(const MeshCoverage& coverage, const std::string& path) {
  const std::string temporary = TemporaryName(path);
  try {
    TextLineFile file(temporary, 64 * 1024);
    file.CreateForWrite();
    DrawCoverage(coverage, [&](std::string_view text) { file.WritePiece(text); });
    file.CloseFileDurably();
  } catch (...) {
    RemoveFile(temporary);
    throw;
  }
  if (const std::int32_t code = RenameFile(temporary, path)) {
    RemoveFile(temporary);
    throw EInOutError(code, path);
  }
}

}  // namespace mif
