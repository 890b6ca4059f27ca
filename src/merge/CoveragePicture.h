// The coverage of a tile set as a picture any browser opens: an SVG
// document with, for each level, a map of the whole set and one of each
// layer, north up, every first-order mesh outlined and its tiles coloured
// by state, a legend and the counts in Japanese.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "format/MeshCoverage.h"

namespace mif {

// Hands `write` the picture's UTF-8 text piece by piece. A run of present
// or absent tiles along a row is one shape, titled by its first and last
// code; every hole, missing, duplicated and outside tile is a shape of its
// own, titled by its code, so that a nationwide set stays a few megabytes.
void DrawCoverage(const MeshCoverage& coverage, const std::function<void(std::string_view)>& write);

// Writes the picture under a temporary name beside `path`, then puts it in
// place. Raises EInOutError, the temporary file removed.
void WriteCoveragePicture(const MeshCoverage& coverage, const std::string& path);

}  // namespace mif
