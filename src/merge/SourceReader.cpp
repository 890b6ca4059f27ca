#include "merge/SourceReader.h"

#include "file/InOutError.h"
#include "format/PairExtension.h"
#include "merge/MergeError.h"
#include "platform/FileSystem.h"

namespace mif {

namespace {

constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kAccessDenied = 5;

// Reads the header from the file's current position through the DATA line.
std::shared_ptr<const MifHeader> ReadMifHeader(TextLineFile& file, HeaderMemo& memo,
                                               bool utf8Text) {
  std::vector<std::string> lines;
  std::size_t bytes = 0;
  std::string_view line;
  bool whole = true;
  while (file.NextLinePiece(line, whole, kMaxHeaderLine)) {
    if (!whole) throw HeaderLineTooLongError(file.Name(), lines.size() + 1);
    bytes += line.size() + 2;
    if (bytes > kMaxHeaderBytes) break;
    lines.emplace_back(line);
    if (IsDataLine(line)) return memo.Parse(std::move(lines), utf8Text);
  }
  throw NoDataLineError(file.Name());
}

// The header of a reader that has read none: one for all of them.
const std::shared_ptr<const MifHeader>& NoHeader() {
  static const auto none = std::make_shared<const MifHeader>();
  return none;
}

void RefuseSpecial(const FileFacts& facts, const std::string& name) {
  if (facts.kind != FileKind::Disk) throw SpecialSourceError(name);
}

}  // namespace

SourceReader::SourceReader(const SourceParts& source, const DeviceMaker& makeDevice,
                           std::size_t bufferSize)
    : makeDevice_(makeDevice),
      bufferSize_(bufferSize),
      stem_(source.directory + source.baseName),
      name_(NameOfSource(source.baseName)),
      mifName_(stem_ + (source.mifExtension.empty() ? ".mif" : source.mifExtension)),
      header_(NoHeader()) {
  midExtension_ = MidExtensionOf(mifName_.substr(stem_.size()));
  midName_ = stem_ + midExtension_;
}

std::unique_ptr<TextLineFile> SourceReader::OpenIfThere(const std::string& name) {
  auto file = std::make_unique<TextLineFile>(name, bufferSize_, makeDevice_());
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
  RefuseSpecial(file->Facts(), name);
  file->SkipByteOrderMark();
  return file;
}

void SourceReader::OpenMif() {
  mif_ = OpenIfThere(mifName_);
  if (!mif_) {
    const std::optional<std::string> variant = FindNameCaseVariant(mifName_);
    if (variant) mif_ = OpenIfThere(*variant);
    if (!mif_) throw EInOutError(kFileNotFound, mifName_);
    mifName_ = *variant;
  }
  mifFacts_ = mif_->Facts();
}

const MifHeader& SourceReader::ReadHeader(HeaderMemo& memo, bool utf8Text) {
  header_ = ReadMifHeader(*mif_, memo, utf8Text);
  return *header_;
}

const MifHeader& SourceReader::TakeHeaderAsUtf8(HeaderMemo& memo) {
  if (!header_->utf8) header_ = memo.Parse(header_->lines, true);
  return *header_;
}

const MifHeader& SourceReader::ReadHeader() {
  HeaderMemo memo;
  return ReadHeader(memo);
}

std::vector<std::string> SourceReader::MidNames() const {
  std::vector<std::string> names = {stem_ + midExtension_};
  if (midExtension_ != ".mid") names.push_back(stem_ + ".mid");
  return names;
}

void SourceReader::FindMid() { LocateMid(false); }
void SourceReader::OpenMid() { LocateMid(true); }

void SourceReader::LocateMid(bool open) {
  hasMid_ = false;
  const std::vector<std::string> names = MidNames();
  for (const std::string& name : names) {
    if (TakeMid(name, open)) return;
  }
  const std::optional<std::string> variant = FindNameCaseVariant(names.back());
  if (variant && TakeMid(*variant, open)) return;
  if (header_->columnCount != 0) throw EInOutError(kFileNotFound, midName_);
}

bool SourceReader::TakeMid(const std::string& name, bool open) {
  if (open) {
    mid_ = OpenIfThere(name);
    if (!mid_) return false;
    midFacts_ = mid_->Facts();
  } else {
    const std::optional<FileFacts> facts = StatFile(name);
    if (!facts) return false;
    RefuseSpecial(*facts, name);
    midFacts_ = *facts;
  }
  midName_ = name;
  hasMid_ = true;
  return true;
}

}  // namespace mif
