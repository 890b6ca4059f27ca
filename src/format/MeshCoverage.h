// A tile set on the mesh grid: which layer has which tile, which came
// twice or holds objects outside its mesh, and what the set lacks. Tiles
// of a level are judged only among tiles of their own level.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "format/MeshCode.h"

namespace mif {

// A tile's state in a layer, or in the whole set. A hole is a tile no
// layer has whose four neighbours of its level some layer has: nothing
// short of that is called missing unless a list of the tiles meant says so.
enum class TileState : std::uint8_t {
  Present,
  Absent,  // another layer has it, this one does not
  Duplicated,
  Outside,  // objects with points outside its mesh
  Hole,
  Missing,  // meant, and no layer has it
};

struct TileCounts {
  std::int64_t present = 0;  // duplicated and outside tiles among them
  std::int64_t absent = 0, duplicated = 0, outside = 0, holes = 0, missing = 0;
};

class MeshCoverage {
 public:
  // A source's tile. A tile a layer has twice is duplicated.
  struct Tile {
    MeshKey key = 0;
    std::uint32_t layer = 0;
    bool duplicated = false;
    bool outside = false;
  };
  // A layer's tiles of one level.
  struct Part {
    std::uint32_t layer;
    MeshLevel level;
    std::size_t begin, end;  // in Tiles()
  };

  // `layers` names the layers `tiles` count from; `expected`, where given,
  // the tiles the set was meant to have.
  MeshCoverage(std::vector<std::u16string> layers, std::vector<Tile> tiles,
               std::optional<std::vector<MeshKey>> expected);

  const std::vector<std::u16string>& LayerNames() const { return layers_; }
  // In the order the layers first come, each layer's levels finest last.
  const std::vector<Part>& Parts() const { return parts_; }
  // Each layer's tiles once, in key order within a part.
  std::span<const Tile> TilesOf(const Part& part) const;
  // The levels of the set's tiles, coarsest first.
  const std::vector<MeshLevel>& Levels() const { return levels_; }
  bool HasExpected() const { return hasExpected_; }
  // In key order.
  const std::vector<MeshKey>& Holes() const { return holes_; }
  const std::vector<MeshKey>& Missing() const { return missing_; }
  const std::vector<MeshKey>& Unexpected() const { return unexpected_; }
  bool IsMissing(MeshKey key) const;

  // Calls `visit(key, state)` for every tile of `level` that some layer has
  // or that is a hole or missing, in key order, with its state in `part`
  // (of that level), or with none, in the set: there a tile is present
  // unless some layer has it outside or twice. A tile both a hole and
  // missing is visited as a hole.
  template <typename Visit>
  void ForEachState(const Part* part, MeshLevel level, const Visit& visit) const;
  TileCounts CountsOf(const Part* part, MeshLevel level) const;

 private:
  void FindHoles();
  void Compare(std::vector<MeshKey> expected);
  static TileState StateOf(const Tile& tile);
  // The range of `keys` of `level`.
  template <typename T, typename Key>
  static std::span<const T> OfLevel(const std::vector<T>& items, MeshLevel level, const Key& key);

  std::vector<std::u16string> layers_;
  std::vector<Tile> tiles_;  // by part
  std::vector<Part> parts_;
  std::vector<Tile> set_;  // every layer's, once, flags joined
  std::vector<MeshLevel> levels_;
  bool hasExpected_;
  std::vector<MeshKey> holes_, missing_, unexpected_;
};

template <typename T, typename Key>
std::span<const T> MeshCoverage::OfLevel(const std::vector<T>& items, MeshLevel level,
                                         const Key& key) {
  // A level's keys run from its first mesh's to below the next level's.
  const MeshKey low = KeyOf(level, 0, 0), high = low + (MeshKey{1} << 48);
  const auto begin =
      std::partition_point(items.begin(), items.end(), [&](const T& t) { return key(t) < low; });
  const auto end =
      std::partition_point(begin, items.end(), [&](const T& t) { return key(t) < high; });
  return {std::to_address(begin), static_cast<std::size_t>(end - begin)};
}

template <typename Visit>
void MeshCoverage::ForEachState(const Part* part, MeshLevel level, const Visit& visit) const {
  const auto tileKey = [](const Tile& t) { return t.key; };
  const auto plainKey = [](MeshKey k) { return k; };
  const std::span<const Tile> set = OfLevel(set_, level, tileKey);
  const std::span<const MeshKey> holes = OfLevel(holes_, level, plainKey);
  const std::span<const MeshKey> missing = OfLevel(missing_, level, plainKey);
  const std::span<const Tile> own = part != nullptr ? TilesOf(*part) : set;
  std::size_t s = 0, h = 0, m = 0, o = 0;
  constexpr MeshKey kEnd = ~MeshKey{0};
  for (;;) {
    const MeshKey next =
        std::min({s < set.size() ? set[s].key : kEnd, h < holes.size() ? holes[h] : kEnd,
                  m < missing.size() ? missing[m] : kEnd});
    if (next == kEnd) return;
    if (s < set.size() && set[s].key == next) {
      if (o < own.size() && own[o].key == next) {
        visit(next, StateOf(own[o++]));
      } else {
        visit(next, TileState::Absent);
      }
      ++s;
    } else {
      visit(next, h < holes.size() && holes[h] == next ? TileState::Hole : TileState::Missing);
    }
    if (h < holes.size() && holes[h] == next) ++h;
    if (m < missing.size() && missing[m] == next) ++m;
  }
}

}  // namespace mif
