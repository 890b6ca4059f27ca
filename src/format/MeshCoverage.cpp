#include "format/MeshCoverage.h"

#include <algorithm>
#include <tuple>

namespace mif {

namespace {

// Sorted tiles, each once, the flags of its copies joined; with
// `copiesDuplicate`, one that came twice is duplicated.
template <typename Same>
void JoinCopies(std::vector<MeshCoverage::Tile>& tiles, bool copiesDuplicate, const Same& same) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    if (kept > 0 && same(tiles[kept - 1], tiles[i])) {
      MeshCoverage::Tile& joined = tiles[kept - 1];
      joined.duplicated = joined.duplicated || copiesDuplicate || tiles[i].duplicated;
      joined.outside = joined.outside || tiles[i].outside;
      continue;
    }
    tiles[kept++] = tiles[i];
  }
  tiles.resize(kept);
}

}  // namespace

MeshCoverage::MeshCoverage(std::vector<std::u16string> layers, std::vector<Tile> tiles,
                           std::optional<std::vector<MeshKey>> expected)
    : layers_(std::move(layers)), tiles_(std::move(tiles)), hasExpected_(expected.has_value()) {
  std::sort(tiles_.begin(), tiles_.end(), [](const Tile& a, const Tile& b) {
    return std::tie(a.layer, a.key) < std::tie(b.layer, b.key);
  });
  JoinCopies(tiles_, true,
             [](const Tile& a, const Tile& b) { return a.layer == b.layer && a.key == b.key; });
  for (std::size_t i = 0; i < tiles_.size();) {
    const std::size_t begin = i;
    const Tile& first = tiles_[i];
    while (i < tiles_.size() && tiles_[i].layer == first.layer &&
           LevelOfKey(tiles_[i].key) == LevelOfKey(first.key)) {
      ++i;
    }
    parts_.push_back({first.layer, LevelOfKey(first.key), begin, i});
  }
  set_ = tiles_;
  std::sort(set_.begin(), set_.end(), [](const Tile& a, const Tile& b) { return a.key < b.key; });
  // A tile in two layers is not duplicated in the set.
  JoinCopies(set_, false, [](const Tile& a, const Tile& b) { return a.key == b.key; });
  for (const Tile& tile : set_) {
    if (levels_.empty() || levels_.back() != LevelOfKey(tile.key)) {
      levels_.push_back(LevelOfKey(tile.key));
    }
  }
  FindHoles();
  if (expected) Compare(std::move(*expected));
}

std::span<const MeshCoverage::Tile> MeshCoverage::TilesOf(const Part& part) const {
  return {tiles_.data() + part.begin, part.end - part.begin};
}

bool MeshCoverage::IsMissing(MeshKey key) const {
  return std::binary_search(missing_.begin(), missing_.end(), key);
}

TileState MeshCoverage::StateOf(const Tile& tile) {
  return tile.outside      ? TileState::Outside
         : tile.duplicated ? TileState::Duplicated
                           : TileState::Present;
}

// Each tile of the set's neighbours that no layer has, with all four of
// its own neighbours in the set.
void MeshCoverage::FindHoles() {
  const auto has = [this](const std::optional<MeshCell>& cell) {
    if (!cell) return false;
    const MeshKey key = KeyOf(*cell);
    const auto found = std::lower_bound(set_.begin(), set_.end(), key,
                                        [](const Tile& t, MeshKey k) { return t.key < k; });
    return found != set_.end() && found->key == key;
  };
  constexpr int kSides[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const Tile& tile : set_) {
    const MeshCell cell = CellOfKey(tile.key);
    for (const auto& side : kSides) {
      const std::optional<MeshCell> next = NeighbourOf(cell, side[0], side[1]);
      if (!next || has(next)) continue;
      bool enclosed = true;
      for (const auto& around : kSides) {
        enclosed = enclosed && has(NeighbourOf(*next, around[0], around[1]));
      }
      if (enclosed) holes_.push_back(KeyOf(*next));
    }
  }
  std::sort(holes_.begin(), holes_.end());
  holes_.erase(std::unique(holes_.begin(), holes_.end()), holes_.end());
}

void MeshCoverage::Compare(std::vector<MeshKey> expected) {
  std::sort(expected.begin(), expected.end());
  expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
  std::vector<MeshKey> present;
  present.reserve(set_.size());
  for (const Tile& tile : set_) present.push_back(tile.key);
  std::set_difference(expected.begin(), expected.end(), present.begin(), present.end(),
                      std::back_inserter(missing_));
  std::set_difference(present.begin(), present.end(), expected.begin(), expected.end(),
                      std::back_inserter(unexpected_));
}

TileCounts MeshCoverage::CountsOf(const Part* part, MeshLevel level) const {
  const auto tileKey = [](const Tile& t) { return t.key; };
  const auto plainKey = [](MeshKey k) { return k; };
  const std::span<const Tile> set = OfLevel(set_, level, tileKey);
  const std::span<const Tile> own = part != nullptr ? TilesOf(*part) : set;
  TileCounts counts;
  counts.present = static_cast<std::int64_t>(own.size());
  counts.absent = static_cast<std::int64_t>(set.size() - own.size());
  for (const Tile& tile : own) {
    counts.duplicated += tile.duplicated ? 1 : 0;
    counts.outside += tile.outside ? 1 : 0;
  }
  counts.holes = static_cast<std::int64_t>(OfLevel(holes_, level, plainKey).size());
  counts.missing = static_cast<std::int64_t>(OfLevel(missing_, level, plainKey).size());
  return counts;
}

}  // namespace mif
