// What a run is set to do, fixed when it starts; what it reads as it goes
// (the sources, the output name, the UTF-8 option) its inputs supply.
#pragma once

#include "merge/OutputSchema.h"
#include "platform/FileDevice.h"

namespace mif {

struct MergeOptions {
  // How sources whose columns differ are merged.
  ColumnsMode columns = ColumnsMode::First;
  // Makes the device of every file the run opens.
  DeviceMaker makeDevice = MakeSystemFileDevice;
};

}  // namespace mif
