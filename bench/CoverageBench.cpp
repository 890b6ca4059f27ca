// The coverage of a nationwide tile set: placing some 400,000 third-order
// tiles a layer on the grid, and the size and drawing time of its picture.
// The land is a band of first-order meshes from Kyushu to Hokkaido with a
// ragged coast, a few tiles a layer missing inside it.
//   coverage_bench [layers [picture.svg]]   (default 3, no picture written)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "format/MeshCoverage.h"
#include "merge/CoveragePicture.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Whether the third-order tile at (row, column) of the 1/120° × 1/80°
// grid from 20° N, 122° E is land: within the band, inside a coast that
// wanders with the row.
bool IsLand(int row, int column) {
  const double along = row / 2400.0;  // 0 at 20° N, 1 at 40° N
  const double centre = 500 + along * 1400 + 90 * std::sin(row / 37.0);
  const double half = 110 + 60 * std::sin(row / 53.0) + 25 * std::sin(column / 11.0);
  return std::abs(column - centre) < half;
}

}  // namespace

int main(int argc, char** argv) {
  const int layers = argc > 1 ? std::atoi(argv[1]) : 3;
  std::mt19937 random(7);
  std::vector<mif::MeshCoverage::Tile> tiles;
  std::vector<std::u16string> names;
  const std::int64_t south = 20 * 120, west = 22 * 80;  // in third-order rows and columns
  for (int layer = 0; layer < layers; ++layer) {
    names.push_back(u"レイヤー" + std::u16string(1, static_cast<char16_t>(u'A' + layer)));
    for (int row = 0; row < 3200; ++row) {
      for (int column = 0; column < 2400; ++column) {
        if (!IsLand(row, column) || random() % 5000 == 0) continue;
        const mif::MeshKey key = mif::KeyOf(mif::MeshLevel::Third, south + row, west + column);
        tiles.push_back({key, static_cast<std::uint32_t>(layer), random() % 20000 == 0, false});
      }
    }
  }
  std::printf("tiles: %zu in %d layers\n", tiles.size(), layers);
  Clock::time_point start = Clock::now();
  const mif::MeshCoverage coverage(names, std::move(tiles), std::nullopt);
  std::printf("placed: %.3f s, %zu holes\n", Seconds(start), coverage.Holes().size());
  start = Clock::now();
  std::size_t bytes = 0, shapes = 0;
  mif::DrawCoverage(coverage, [&](std::string_view text) {
    bytes += text.size();
    shapes += text.starts_with("<rect") ? 1 : 0;
  });
  std::printf("picture: %.2f MB, %zu shapes, drawn in %.3f s\n", bytes / 1e6, shapes,
              Seconds(start));
  if (argc > 2) mif::WriteCoveragePicture(coverage, argv[2]);
  return 0;
}
