#include "merge/TileRecord.h"

namespace mif {

TileRecord::TileRecord(bool on, int count) : on_(on) {
  if (on_) bySource_.resize(static_cast<std::size_t>(count));
}

void TileRecord::Add(int index, const std::u16string& layer, const MeshCell& cell) {
  if (!on_) return;
  const auto [found, added] =
      layerIds_.try_emplace(layer, static_cast<std::uint32_t>(layers_.size()));
  if (added) layers_.push_back(layer);
  bySource_[static_cast<std::size_t>(index)] = {KeyOf(cell), found->second, false, false};
}

void TileRecord::MarkDuplicated(int index) {
  if (on_) bySource_[static_cast<std::size_t>(index)].duplicated = true;
}

void TileRecord::MarkOutside(int index) {
  if (on_) bySource_[static_cast<std::size_t>(index)].outside = true;
}

std::shared_ptr<const MeshCoverage> TileRecord::Coverage(
    std::optional<std::vector<MeshKey>> expected) {
  if (!on_) return nullptr;
  std::vector<MeshCoverage::Tile> tiles = std::move(bySource_);
  std::erase_if(tiles, [](const MeshCoverage::Tile& tile) { return tile.key == 0; });
  auto coverage = std::make_shared<const MeshCoverage>(std::move(layers_), std::move(tiles),
                                                       std::move(expected));
  TurnOff();
  return coverage;
}

}  // namespace mif
