// A .mif header written from another one (a merged output's from its first
// source's): every line as read, except what the changes change.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "format/ColumnDef.h"
#include "format/CoordSys.h"
#include "format/MifHeader.h"

namespace mif {

// A column put in front as char(width), as merged outputs always wrote it.
struct AddedColumn {
  std::string name;
  int width = 1;
};

struct HeaderChanges {
  // The columns in front that the header brings itself (from a merged
  // output merged again), replaced by `added`.
  int ownAdded = 0;
  std::vector<AddedColumn> added;
  std::span<const ColumnDef> columns;  // after the added ones
  int version = -1;                    // the Version written; -1: none is
  // The Charset declared; empty: the header's own (Neutral, or none).
  std::string charset;
  std::optional<Bounds> bounds;  // none: the CoordSys declares none
};

// The header's lines in code page 932, every line as read except: the
// column line and definitions, which become "COLUMNS n", the added
// columns and `columns` (a definition as read where its type stayed);
// Unique and Index, renumbered to the columns' places in the new header
// (dropped when none is left); Version, the given one; the CoordSys
// clause, on one line with the Bounds when they differ; Charset, added
// after Version where the header declares none; and a Delimiter of more
// than one byte, which a header without columns may declare, dropped.
std::vector<std::string> RewrittenHeaderLines(const MifHeader& header,
                                              const HeaderChanges& changes);

}  // namespace mif
