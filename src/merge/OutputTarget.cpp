#include "merge/OutputTarget.h"

#include "file/FileName.h"
#include "file/TextLineFile.h"
#include "format/PairExtension.h"
#include "merge/MergeError.h"
#include "merge/OutputPair.h"
#include "platform/FileSystem.h"
#include "text/AsciiCase.h"

namespace mif {

namespace {

// The file there now, or nothing; refused when no output may replace it.
std::optional<FileIdentity> ExistingFile(const std::string& name, const std::string& outputName,
                                         const DeviceMaker& makeDevice) {
  const std::optional<FileFacts> facts = StatFile(name);
  if (!facts) return std::nullopt;
  if (facts->kind == FileKind::Directory) throw OutputNameError(outputName);
  if (facts->kind != FileKind::Disk) throw SpecialOutputError(name);
  RefuseUnwritable(name, makeDevice);
  return facts->identity;
}

bool EndsInDelimiter(const std::string& name) {
  return !name.empty() && PathDelimiters().find(name.back()) != std::string_view::npos;
}

}  // namespace

void RefuseUnwritable(const std::string& name, const DeviceMaker& makeDevice) {
  TextLineFile file(name, 1, makeDevice());
  file.OpenForRewrite();  // changes none of its bytes
  file.CloseFile();
}

OutputNames OutputPairNames(const std::string& outputName) {
  if (EndsWithIgnoringAsciiCase(outputName, ".mif") && ExtractNamePart(outputName).size() > 4) {
    const std::size_t stem = outputName.size() - 4;
    return {outputName, outputName.substr(0, stem) + MidExtensionOf(outputName.substr(stem))};
  }
  return {ChangeFileExtension(outputName, ".mif"), ChangeFileExtension(outputName, ".mid")};
}

std::string OutputMifName(const std::string& given, OutputNaming naming) {
  if (naming == OutputNaming::AddMif && !EndsWithIgnoringAsciiCase(given, ".mif")) {
    return given + ".mif";
  }
  return OutputPairNames(given).mif;
}

bool WritesIntoFolder(const std::string& outputName) {
  return EndsInDelimiter(outputName) || IsDirectory(outputName);
}

std::string LayerOutputName(const std::string& outputName, const std::string& layer) {
  return LayerOutputName(outputName, WritesIntoFolder(outputName), layer);
}

std::string LayerOutputName(const std::string& outputName, bool intoFolder,
                            const std::string& layer) {
  if (intoFolder && EndsInDelimiter(outputName)) return outputName + layer + ".mif";
  if (intoFolder) return outputName + PathDelimiters().front() + layer + ".mif";
  const std::string stem = EndsWithIgnoringAsciiCase(outputName, ".mif")
                               ? outputName.substr(0, outputName.size() - 4)
                               : outputName;
  return stem + "_" + layer + ".mif";
}

void RefuseUnusableOutputName(const std::string& outputName) {
  const std::string name = ExtractNamePart(outputName);
  if (name == "." || name == ".." || ChangeFileExtension(name, "").empty() ||
      IsDirectory(outputName)) {
    throw OutputNameError(outputName);
  }
  const std::string folder = ExtractDirectoryPart(outputName);
  if (!folder.empty() && !IsDirectory(folder)) throw OutputFolderError(outputName);
}

OutputTarget DecideOutput(const std::string& outputName, const DeviceMaker& makeDevice) {
  OutputTarget target;
  RefuseUnusableOutputName(outputName);
  const OutputNames names = OutputPairNames(outputName);
  target.files = {FollowLinks(names.mif), FollowLinks(names.mid)};
  for (const std::string* file : {&target.files.mif, &target.files.mid}) {
    RefuseUnusableOutputName(*file);
  }
  target.mif = ExistingFile(target.files.mif, outputName, makeDevice);
  target.mid = ExistingFile(target.files.mid, outputName, makeDevice);
  target.halfReplaced = target.mif && StatFile(TemporaryName(target.files.mid)) &&
                        !StatFile(TemporaryName(target.files.mif));
  return target;
}

}  // namespace mif
