// What a run is set to do, fixed when it starts; what it reads as it goes
// (the sources, the output name, the UTF-8 option) its inputs supply.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "format/MeshCode.h"

#include "merge/OutputSchema.h"
#include "merge/OutputTarget.h"
#include "platform/FileDevice.h"

namespace mif {

enum class MeshTiles : std::uint8_t {
  Off,
  Required,  // a tile that is no mesh code is refused before anything is written
  IfCodes,   // judged where every tile is a mesh code, else not at all
};

struct MergeOptions {
  // How sources whose columns differ are merged.
  ColumnsMode columns = ColumnsMode::First;
  // One output pair per layer name (LayerOutputName), each with every rule
  // the single output has; the layers in the order they first come, each
  // layer's sources in list order.
  bool perLayer = false;
  // The names of the columns put in front: the layer's, and the tile's
  // when named.
  AddedColumns added;
  // A later source that is the same file as an earlier one, or whose .mif
  // and .mid are byte for byte those of an earlier source of its base name,
  // is left out.
  bool skipDuplicates = false;
  // With mesh tiles, each source's tile (the text before its layer) is a
  // mesh code (ParseMeshCode); an object with a point outside the mesh,
  // widened by `meshAllowance` ten-thousandths of it a side, is warned of
  // where the CoordSys is longitude and latitude, none, or a Transverse
  // Mercator; and the run reports the set's coverage (MeshCoverage).
  MeshTiles mesh = MeshTiles::Off;
  std::int64_t meshAllowance = 100;
  // The tiles the set was meant to have, where given.
  std::optional<std::vector<MeshKey>> expectedMeshes;
  // How the output name its inputs give names the output's .mif, where it
  // is not per layer.
  OutputNaming outputNaming = OutputNaming::ReplaceExtension;
  // Makes the device of every file the run opens.
  DeviceMaker makeDevice = MakeSystemFileDevice;
  // The first pass reads the next source's text, where its charset is left
  // to it, on a second thread (TextLookAhead); `makeDevice` is then called
  // from that thread too.
  bool lookAhead = false;
  // The report the front end writes as the run goes, and the coverage
  // picture it writes after (PathText.h), if any: each refused before
  // anything is written where it is a folder, a source's file, or one of
  // the files the outputs are written to.
  std::string reportPath;
  std::string coveragePath;
};

}  // namespace mif
