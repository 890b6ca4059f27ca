// What a run learns of its sources' tiles as it goes, for the coverage it
// reports at its end: each source's mesh and layer, whether it was given
// twice, whether its objects lie outside its mesh.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "format/MeshCoverage.h"

namespace mif {

class TileRecord {
 public:
  // Off records nothing; `count` is the run's sources.
  TileRecord(bool on, int count);

  // Whether the run judges its tiles: on, and no tile was found to be no
  // mesh code.
  bool On() const { return on_; }
  // Source `index`'s tile, in `layer`.
  void Add(int index, const std::u16string& layer, const MeshCell& cell);
  // Records nothing more, and no coverage: a tile is no mesh code.
  void TurnOff() { *this = TileRecord(false, 0); }
  void MarkDuplicated(int index);
  void MarkOutside(int index);
  // The sources' tiles on the grid; nothing when off. Leaves the record
  // empty.
  std::shared_ptr<const MeshCoverage> Coverage(std::optional<std::vector<MeshKey>> expected);

 private:
  bool on_;
  std::vector<MeshCoverage::Tile> bySource_;  // key 0: none
  std::vector<std::u16string> layers_;
  std::unordered_map<std::u16string, std::uint32_t> layerIds_;
};

}  // namespace mif
