// The sources of one output, all of them or a per-layer run's of a layer,
// with what the plan decides of the output and what its merge has done:
// a few hundred bytes, as a run may have thousands of one-tile layers.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "merge/OutputSchema.h"
#include "merge/OutputTarget.h"

namespace mif {

struct OutputGroup {
  explicit OutputGroup(const std::shared_ptr<const AddedColumns>& added)
      : builder(std::make_unique<SchemaBuilder>(added)) {}
  std::u16string layer;
  int first = -1, last = -1;  // the first source, and the last merged
  // The first pass's columns, until the plan's schema is made of them.
  std::unique_ptr<SchemaBuilder> builder;
  // None where the columns were refused; dropped once the output is done.
  std::unique_ptr<const OutputSchema> schema;
  OutputTarget target;
  bool decided = false;  // its output's name and files are made sure of
  int whole = 0;         // its sources written out whole
  int kept = 0;          // its sources not withdrawn: merged, left out or refused
};

// A run's groups: a deque, since thousands of one-tile layers would copy
// each group's planned output at every growth of a vector.
using OutputGroups = std::deque<OutputGroup>;

}  // namespace mif
