#include "merge/SourceReader.h"

#include "file/InOutError.h"
#include "merge/LayerName.h"
#include "merge/MergeContext.h"
#include "merge/MergeError.h"
#include "merge/OutputSchema.h"
#include "platform/FileSystem.h"

namespace mif {

namespace {

constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kAccessDenied = 5;

}  // namespace

SourceReader::SourceReader(const SourceParts& source, int index, MergeContext& context)
    : context_(context),
      index_(index),
      stem_(source.directory + source.baseName),
      layerName_(DeriveLayerName(source.baseName)),
      mifName_(stem_ + (source.mifExtension.empty() ? ".mif" : source.mifExtension)) {
  midExtension_ = mifName_.substr(stem_.size());
  midExtension_.back() = midExtension_.back() == 'F' ? 'D' : 'd';  // .MIF -> .MID
  midName_ = stem_ + midExtension_;
}

void SourceReader::Protect(const FileFacts& facts, const std::string& name) {
  if (facts.kind != FileKind::Disk) throw SpecialSourceError(name);
  context_.ProtectSource(facts.identity, name, index_);
}

std::unique_ptr<TextLineFile> SourceReader::OpenIfThere(const std::string& name) {
  auto file = std::make_unique<TextLineFile>(name, kMergeBufferSize, context_.makeDevice());
  file->SetLoneCrEndsLine(true);
  file->SetOpenWithoutWaiting(true);
  try {
    file->OpenForRead();
  } catch (const EInOutError& error) {
    if (error.StatusCode() == kFileNotFound) return nullptr;
    // A folder cannot be opened for reading; say what it is.
    if (error.StatusCode() == kAccessDenied && IsDirectory(name)) throw SpecialSourceError(name);
    throw;
  }
  Protect(file->Facts(), name);
  return file;
}

const MifHeader& SourceReader::OpenHeader() {
  mif_ = OpenIfThere(mifName_);
  if (!mif_) {
    const std::optional<std::string> variant = FindNameCaseVariant(mifName_);
    if (variant) mif_ = OpenIfThere(*variant);
    if (!mif_) throw EInOutError(kFileNotFound, mifName_);
    mifName_ = *variant;
  }
  header_ = ReadMifHeader(*mif_);
  return header_;
}

std::vector<std::string> SourceReader::MidNames() const {
  std::vector<std::string> names = {stem_ + midExtension_};
  if (midExtension_ != ".mid") names.push_back(stem_ + ".mid");
  return names;
}

void SourceReader::NoMid() {
  if (!MidMayBeMissing()) throw EInOutError(kFileNotFound, midName_);
  hasMid_ = false;
}

void SourceReader::FindMid() {
  for (const std::string& name : MidNames()) {
    if (const std::optional<FileFacts> facts = StatFile(name)) return TakeMid(*facts, name);
  }
  if (const std::optional<std::string> variant = FindNameCaseVariant(MidNames().back())) {
    if (const std::optional<FileFacts> facts = StatFile(*variant)) return TakeMid(*facts, *variant);
  }
  NoMid();
}

void SourceReader::TakeMid(const FileFacts& facts, const std::string& name) {
  Protect(facts, name);
  midName_ = name;
  hasMid_ = true;
}

void SourceReader::OpenMid() {
  for (const std::string& name : MidNames()) {
    if ((mid_ = OpenIfThere(name))) break;
  }
  if (!mid_) {
    if (const std::optional<std::string> variant = FindNameCaseVariant(MidNames().back())) {
      mid_ = OpenIfThere(*variant);
    }
  }
  if (!mid_) return NoMid();
  midName_ = mid_->Name();
  hasMid_ = true;
}

void ExamineSource(const SourceParts& source, int index, MergeContext& context,
                   SchemaBuilder& builder) {
  SourceReader reader(source, index, context);
  const MifHeader& header = reader.OpenHeader();
  reader.CloseMif();
  reader.FindMid();
  builder.Add(header, reader.Names().mif, reader.LayerName());
}

}  // namespace mif
