#include "format/MeshCheck.h"

namespace mif {

void MeshCheck::ObjectStarts(std::int64_t line) {
  objectLine_ = line;
  objectOutside_ = false;
}

void MeshCheck::Point(const ExactDecimal& x, const ExactDecimal& y) {
  if (objectOutside_ || HoldsWidened(cell_, y, x, allowance_)) return;
  objectOutside_ = true;
  ++outside_;
  if (firstLine_ != 0) return;
  firstLine_ = objectLine_;
  firstMesh_ =
      MeshCellAt(FloorTimes(y, kQuartersPerDegree), FloorTimes(x, kQuartersPerDegree), cell_.level);
}

}  // namespace mif
