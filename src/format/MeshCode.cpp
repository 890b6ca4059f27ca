#include "format/MeshCode.h"

#include <array>

namespace mif {

namespace {

// How many of a level's meshes its parent holds across (side by side)
// and up.
constexpr MeshSize kFirst{9600, 14400};  // 40′ × 1°
constexpr MeshSize kSecond{1200, 1800};  // 5′ × 7′30″, 8 × 8 a first
constexpr MeshSize kThird{120, 180};     // 30″ × 45″, 10 × 10 a second
constexpr MeshSize kHalf{60, 90};        // 2 × 2 a third
constexpr MeshSize kQuarter{30, 45};     // 2 × 2 a half
constexpr std::int64_t kWestOfCodes = 100 * kQuartersPerDegree;

bool IsLevelLength(std::size_t digits) {
  return digits == 4 || digits == 6 || digits == 8 || digits == 9 || digits == 10;
}

// The quadrant digit (1–4) of a cell split in two each way: its row and
// column (0 south or west, 1 north or east).
int Quadrant(std::int64_t row, std::int64_t column) {
  return static_cast<int>(1 + column + 2 * row);
}

}  // namespace

MeshSize SizeOf(MeshLevel level) {
  switch (level) {
    case MeshLevel::First:
      return kFirst;
    case MeshLevel::Second:
      return kSecond;
    case MeshLevel::Third:
      return kThird;
    case MeshLevel::Half:
      return kHalf;
    case MeshLevel::Quarter:
      return kQuarter;
  }
  return kFirst;
}

std::u16string_view MeshLevelName(MeshLevel level) {
  switch (level) {
    case MeshLevel::First:
      return u"1次メッシュ";
    case MeshLevel::Second:
      return u"2次メッシュ";
    case MeshLevel::Third:
      return u"3次メッシュ";
    case MeshLevel::Half:
      return u"2分の1メッシュ";
    case MeshLevel::Quarter:
      return u"4分の1メッシュ";
  }
  return u"";
}

std::optional<MeshCell> ParseMeshCode(std::string_view code) {
  if (!IsLevelLength(code.size())) return std::nullopt;
  std::array<int, 10> d{};
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code[i] < '0' || code[i] > '9') return std::nullopt;
    d[i] = code[i] - '0';
  }
  MeshCell cell;
  cell.level = static_cast<MeshLevel>(code.size());
  cell.south = (d[0] * 10 + d[1]) * kFirst.height;
  cell.west = kWestOfCodes + (d[2] * 10 + d[3]) * kFirst.width;
  if (code.size() >= 6) {
    if (d[4] > 7 || d[5] > 7) return std::nullopt;
    cell.south += d[4] * kSecond.height;
    cell.west += d[5] * kSecond.width;
  }
  if (code.size() >= 8) {
    cell.south += d[6] * kThird.height;
    cell.west += d[7] * kThird.width;
  }
  for (std::size_t i = 8; i < code.size(); ++i) {  // the half, then the quarter
    if (d[i] < 1 || d[i] > 4) return std::nullopt;
    const MeshSize size = SizeOf(i == 8 ? MeshLevel::Half : MeshLevel::Quarter);
    cell.south += (d[i] - 1) / 2 * size.height;
    cell.west += (d[i] - 1) % 2 * size.width;
  }
  const MeshSize size = SizeOf(cell.level);
  cell.height = size.height;
  cell.width = size.width;
  return cell;
}

std::string MeshCodeOf(const MeshCell& cell) {
  const std::int64_t latitude = cell.south, longitude = cell.west - kWestOfCodes;
  std::string code;
  const auto add = [&](std::int64_t digit) { code += static_cast<char>('0' + digit); };
  add(latitude / kFirst.height / 10);
  add(latitude / kFirst.height % 10);
  add(longitude / kFirst.width / 10);
  add(longitude / kFirst.width % 10);
  if (cell.level == MeshLevel::First) return code;
  add(latitude % kFirst.height / kSecond.height);
  add(longitude % kFirst.width / kSecond.width);
  if (cell.level == MeshLevel::Second) return code;
  add(latitude % kSecond.height / kThird.height);
  add(longitude % kSecond.width / kThird.width);
  if (cell.level == MeshLevel::Third) return code;
  add(Quadrant(latitude % kThird.height / kHalf.height, longitude % kThird.width / kHalf.width));
  if (cell.level == MeshLevel::Half) return code;
  add(Quadrant(latitude % kHalf.height / kQuarter.height,
               longitude % kHalf.width / kQuarter.width));
  return code;
}

MeshKey KeyOf(const MeshCell& cell) {
  return KeyOf(cell.level, cell.south / cell.height, (cell.west - kWestOfCodes) / cell.width);
}

MeshCell CellOfKey(MeshKey key) {
  const MeshLevel level = LevelOfKey(key);
  const MeshSize size = SizeOf(level);
  return MeshCell{level, RowOfKey(key) * size.height, kWestOfCodes + ColumnOfKey(key) * size.width,
                  size.height, size.width};
}

std::optional<MeshCell> MeshCellAt(std::int64_t latitude, std::int64_t longitude, MeshLevel level) {
  if (latitude < 0 || latitude >= 100 * kFirst.height) return std::nullopt;
  if (longitude < kWestOfCodes || longitude >= kWestOfCodes + 100 * kFirst.width) {
    return std::nullopt;
  }
  const MeshSize size = SizeOf(level);
  const std::int64_t east = longitude - kWestOfCodes;
  return MeshCell{level, latitude - latitude % size.height, kWestOfCodes + east - east % size.width,
                  size.height, size.width};
}

std::optional<MeshCell> NeighbourOf(const MeshCell& cell, int north, int east) {
  return MeshCellAt(cell.south + north * cell.height, cell.west + east * cell.width, cell.level);
}

bool HoldsWidened(const MeshCell& cell, const ExactDecimal& latitude, const ExactDecimal& longitude,
                  std::int64_t allowance) {
  // In ten-thousandths of a quarter arc-second, where the widened edges
  // are whole numbers.
  constexpr std::int64_t kScale = 10000;
  constexpr std::int64_t kFactor = kQuartersPerDegree * kScale;
  const std::int64_t rise = allowance * cell.height, run = allowance * cell.width;
  return CompareTimes(latitude, kFactor, cell.south * kScale - rise) >= 0 &&
         CompareTimes(latitude, kFactor, cell.North() * kScale + rise) < 0 &&
         CompareTimes(longitude, kFactor, cell.west * kScale - run) >= 0 &&
         CompareTimes(longitude, kFactor, cell.East() * kScale + run) < 0;
}

}  // namespace mif
