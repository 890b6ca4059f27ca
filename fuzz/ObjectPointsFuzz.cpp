// The points reader over arbitrary object lines: the same points whether
// lines come one by one or a buffer at a time (where vertex lines are read
// in one pass, their numbers as ParseFixedDecimal reads them), each a pair of words that
// start as numbers do; and every coordinate the quick reader takes read to
// the same value by the exact one, so that the mesh check's two ways of
// comparing agree, and the mesh check, which compares most as text, says
// what the exact comparison says, about the point's own mesh and its
// neighbours, with and without an allowance.
#include <cstdlib>
#include <string>
#include <vector>

#include "format/ExactDecimal.h"
#include "format/MeshCheck.h"
#include "format/ObjectPoints.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool StartsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

// The exact reading of a quick one: the same value at twenty places, where
// it is under 10^8 in magnitude, as the exact reader's values are.
void CheckSameValue(std::string_view word) {
  const std::optional<mif::FixedDecimal> fixed = mif::ParseFixedDecimal(word);
  if (!fixed) return;
  if (fixed->places < 10) {  // 10^(8 + places) fits; with more places no mantissa reaches it
    std::int64_t limit = 100000000;
    for (int place = 0; place < fixed->places; ++place) limit *= 10;
    if (fixed->mantissa >= limit || fixed->mantissa <= -limit) return;
  }
  const std::optional<mif::ExactDecimal> exact = mif::ParseExactDecimal(word);
  Check(exact.has_value());
  __int128 scaled = fixed->mantissa;
  for (int place = fixed->places; place < 20; ++place) scaled *= 10;
  Check(exact->numerator == 2 * scaled);
}

void CheckMeshAgrees(std::string_view x, std::string_view y) {
  const std::optional<mif::ExactDecimal> east = mif::ParseExactDecimal(x);
  const std::optional<mif::ExactDecimal> north = mif::ParseExactDecimal(y);
  if (!east || !north) return;
  std::optional<mif::MeshCell> own =
      mif::MeshCellAt(mif::FloorTimes(*north, mif::kQuartersPerDegree),
                      mif::FloorTimes(*east, mif::kQuartersPerDegree), mif::MeshLevel::Quarter);
  if (!own) own = mif::ParseMeshCode("5339461111");
  for (const auto& [up, across] : {std::pair{0, 0}, {0, 1}, {1, 0}, {-1, -1}}) {
    const std::optional<mif::MeshCell> cell = mif::NeighbourOf(*own, up, across);
    if (!cell) continue;
    for (const std::int64_t allowance : {0, 100, 10000}) {
      const bool inside = mif::HoldsWidened(*cell, *north, *east, allowance);
      mif::MeshCheck check(*cell, allowance);
      check.ObjectStarts(1);
      check.Point(x, y);
      Check((check.OutsideObjects() == 0) == inside);
      const std::optional<mif::FixedDecimal> fixedX = mif::ParseFixedDecimal(x);
      const std::optional<mif::FixedDecimal> fixedY = mif::ParseFixedDecimal(y);
      if (!fixedX || !fixedY) continue;
      mif::MeshCheck fixed(*cell, allowance);
      fixed.ObjectStarts(1);
      fixed.FixedPoint(*fixedX, *fixedY, x, y);
      Check((fixed.OutsideObjects() == 0) == inside);
    }
  }
}

struct Recorder final : mif::PointSink {
  void ObjectStarts(std::int64_t line) override { events.push_back("@" + std::to_string(line)); }
  void Point(std::string_view x, std::string_view y) override {
    Check(!x.empty() && !y.empty() && StartsNumber(x.front()) && StartsNumber(y.front()));
    CheckSameValue(x);
    CheckSameValue(y);
    CheckMeshAgrees(x, y);
    events.push_back(std::string(x) + " " + std::string(y));
  }
  // A vertex line read in one pass: its readings are the texts' own.
  void FixedPoint(const mif::FixedDecimal& x, const mif::FixedDecimal& y, std::string_view xText,
                  std::string_view yText) override {
    for (const auto& [value, text] : {std::pair{x, xText}, {y, yText}}) {
      const std::optional<mif::FixedDecimal> read = mif::ParseFixedDecimal(text);
      Check(read && read->mantissa == value.mantissa && read->places == value.places);
    }
    Point(xText, yText);
  }
  std::vector<std::string> events;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Lines of the input, at LF; CR and LF are no part of any.
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\n') {
      lines.emplace_back();
    } else if (c != '\r') {
      lines.back() += c;
    }
  }
  Recorder oneByOne, atOnce;
  mif::ObjectPoints byLine(oneByOne), byBuffer(atOnce);
  std::string buffer;
  for (const std::string& line : lines) {
    byLine.Line(line);
    buffer += line + "\r\n";
  }
  byBuffer.CrLfLines(buffer);
  Check(oneByOne.events == atOnce.events);
  return 0;
}
