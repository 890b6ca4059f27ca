// What the run tells of a source and of an output, put together from the
// header, the layout and the plan; and the texts of its duplicates.
#pragma once

#include <string>

#include "format/MifHeader.h"
#include "merge/OutputSchema.h"
#include "merge/OutputTarget.h"
#include "merge/SourceReport.h"

namespace mif {

// The source's own facts: its columns, delimiter, charset and version.
void DescribeHeader(const MifHeader& header, SourceReport& report);
// Where the source's values go in the planned output.
void DescribeLayout(const SourceLayout& layout, const MifHeader& header, const OutputSchema& schema,
                    SourceReport& report);
// The planned output's header, columns and clauses.
void DescribeOutput(const OutputSchema& schema, OutputReport& report);

// The warning of a source given before, at `earlier` among `count`; with
// `skipped`, that it was left out. Names are paths.
std::u16string DuplicateText(const DuplicateReport& duplicate, const std::string& name,
                             const std::string& earlierName, int count, bool skipped);

// The note of an output an earlier run left half put in place.
std::u16string HalfReplacedNote(const OutputTarget& target);

}  // namespace mif
