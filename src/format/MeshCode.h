// Mesh codes of JIS X 0410, the grid Japan's map tiles are cut by, kept in
// whole numbers: every edge of every level is a whole number of quarter
// arc-seconds, so no rounding decides which mesh a point lies in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "format/ExactDecimal.h"

namespace mif {

// A level by the digits of its codes: first order (80 km), second (10 km),
// third (1 km), the half mesh (500 m) and the quarter mesh (250 m).
enum class MeshLevel : std::uint8_t { First = 4, Second = 6, Third = 8, Half = 9, Quarter = 10 };

inline constexpr std::int64_t kQuartersPerDegree = 4 * 3600;

// One mesh, in quarter arc-seconds north of the equator and east of
// Greenwich. It holds its south and west edges; its north and east edges
// are its neighbours'.
struct MeshCell {
  MeshLevel level = MeshLevel::First;
  std::int64_t south = 0, west = 0;
  std::int64_t height = 0, width = 0;

  std::int64_t North() const { return south + height; }
  std::int64_t East() const { return west + width; }
  bool operator==(const MeshCell&) const = default;
};

// The mesh of a code: 4, 6, 8, 9 or 10 digits, the first order's `ab cd`
// (latitude ab × 40′, longitude 100° + cd°), then `e f` of 0–7, `g h` of
// 0–9, `i` and `j` of 1–4 (1 south-west, 2 south-east, 3 north-west, 4
// north-east). Nothing for any other text.
std::optional<MeshCell> ParseMeshCode(std::string_view code);

// A mesh as one number: its level, its row north of the equator and its
// column east of 100°, so that the keys of a level sort together, south to
// north, then west to east. Never 0.
using MeshKey = std::uint64_t;
MeshKey KeyOf(const MeshCell& cell);
MeshCell CellOfKey(MeshKey key);
inline MeshKey KeyOf(MeshLevel level, std::int64_t row, std::int64_t column) {
  return static_cast<MeshKey>(level) << 48 | static_cast<MeshKey>(row) << 24 |
         static_cast<MeshKey>(column);
}
inline MeshLevel LevelOfKey(MeshKey key) { return static_cast<MeshLevel>(key >> 48); }
// Meshes of its level north of the equator, and east of 100°.
inline std::int64_t RowOfKey(MeshKey key) {
  return static_cast<std::int64_t>(key >> 24 & 0xFFFFFF);
}
inline std::int64_t ColumnOfKey(MeshKey key) { return static_cast<std::int64_t>(key & 0xFFFFFF); }

// A level's mesh, in quarter arc-seconds.
struct MeshSize {
  std::int64_t height, width;
};
MeshSize SizeOf(MeshLevel level);

// As people name the level: "3次メッシュ", "2分の1メッシュ".
std::u16string_view MeshLevelName(MeshLevel level);

// The code of a mesh, its level's digits.
std::string MeshCodeOf(const MeshCell& cell);

// The mesh of `level` that holds the point (quarter arc-seconds); nothing
// outside the codes' range (latitude 0° to 66°40′, longitude 100° to 200°).
std::optional<MeshCell> MeshCellAt(std::int64_t latitude, std::int64_t longitude, MeshLevel level);

// The mesh `north` meshes north and `east` meshes east of `cell`, of its
// level; nothing off the codes' range.
std::optional<MeshCell> NeighbourOf(const MeshCell& cell, int north, int east);

// Whether the point (degrees, read exactly) lies in the mesh widened by
// `allowance` ten-thousandths of its height and width on each side (100:
// 1 %), the widened south and west edges its own.
bool HoldsWidened(const MeshCell& cell, const ExactDecimal& latitude, const ExactDecimal& longitude,
                  std::int64_t allowance);

}  // namespace mif
