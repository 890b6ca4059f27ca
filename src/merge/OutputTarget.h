// What the run decides about an output name before a byte is written: the
// .mif and .mid it names, whether it can be written there, and which files
// are there now. The check decides the same.
#pragma once

#include <optional>
#include <string>

#include "platform/FileDevice.h"

namespace mif {

// The .mif and .mid of an output name: a name that ends in .mif in any
// letter case names that .mif and a .mid in its case (OUT.MIF, OUT.MID);
// any other has its extension replaced, or .mif added.
struct OutputNames {
  std::string mif, mid;
};
OutputNames OutputPairNames(const std::string& outputName);

// How a front end's output name names the output's .mif. The command line
// adds .mif to a name that does not end in it, as a source's name does
// (merged.2024 is merged.2024.mif); the window gives the name its save
// dialog chose .mif as its extension (out.txt is out.mif).
enum class OutputNaming { AddMif, ReplaceExtension };
std::string OutputMifName(const std::string& given, OutputNaming naming);

// The output of the layer `layer` (a name part, PathText.h) in a per-layer
// run given `outputName`: OUTPUT_layer.mif, its .mif taken off first
// (結合.mif gives 結合_道路.mif), or OUTPUT/layer.mif when `outputName`
// ends in a path delimiter or names a folder that exists.
std::string LayerOutputName(const std::string& outputName, const std::string& layer);
// The same with the folder question answered (WritesIntoFolder), asked
// once for all the layers of a run.
std::string LayerOutputName(const std::string& outputName, bool intoFolder,
                            const std::string& layer);
// Whether a per-layer run given `outputName` writes into it: it ends in a
// path delimiter or names a folder that exists.
bool WritesIntoFolder(const std::string& outputName);

// Raises EInOutError when the existing file `name` cannot be written
// (read-only, or open in another program), learnt by opening it for
// writing without changing it.
void RefuseUnwritable(const std::string& name, const DeviceMaker& makeDevice);

// Raises EMergeError for an output name that names a folder, whose file
// part without its extension is empty ("sub/", ".", "..", ".mif"), or
// whose folder does not exist.
void RefuseUnusableOutputName(const std::string& outputName);

struct OutputTarget {
  OutputNames files;  // written, links followed
  // The files there now, by identity; nothing where there is none.
  std::optional<FileIdentity> mif, mid;
  // An earlier run stopped between its two renames: its new .mif is in
  // place beside the .mid before it, its new .mid under its temporary name.
  bool halfReplaced = false;
};

// Decides the output of `outputName`: raises EMergeError for an unusable
// name (RefuseUnusableOutputName, also after links are followed), a file
// there that is a folder, a pipe or a device; and EInOutError for a file
// there that cannot be written (read-only, or open in another program),
// learnt by opening it for writing without changing it.
OutputTarget DecideOutput(const std::string& outputName, const DeviceMaker& makeDevice);

}  // namespace mif
