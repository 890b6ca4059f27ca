#include "merge/SourceTexts.h"

#include <algorithm>

#include "merge/CopyLimits.h"
#include "merge/OutputSchema.h"
#include "text/AsciiCase.h"
#include "text/AsciiRun.h"

namespace mif {

namespace {

// Whether the output's charset and the header's columns are the same
// whichever charset the source's text is in: its output declares
// WindowsJapanese already, which a Neutral source of either charset keeps,
// and the header is ASCII. Tiles from GDAL are such sources after the
// first: each is then copied as UTF-8 on trial, its text read once.
bool SettledWithoutText(const SchemaBuilder& output, const MifHeader& header) {
  return EqualsIgnoringAsciiCase(output.Charset(), "WindowsJapanese") &&
         std::all_of(header.lines.begin(), header.lines.end(),
                     [](const std::string& line) { return IsAscii(line); });
}

}  // namespace

SourceTexts::SourceTexts(MergeInputs& inputs, const MergeOptions& options, int count)
    : inputs_(inputs),
      options_(options),
      count_(count),
      charsets_(static_cast<std::size_t>(count), TextCharset::Declared),
      onTrial_(static_cast<std::size_t>(count), false) {}

const MifHeader& SourceTexts::ReadHeader(int index, const SourceParts& parts, SourceReader& reader,
                                         const SchemaBuilder* output) {
  const MifHeader& header = reader.ReadHeader(headers_);
  if (!CharsetFromText(header) || (output != nullptr && SettledWithoutText(*output, header))) {
    onTrial_[static_cast<std::size_t>(index)] = CharsetFromText(header);
    reader.CloseMif();
    reader.FindMid();
    return header;
  }
  const CharsetReading reading = LookAtText(index, parts, reader);  // may read the header anew
  Keep(index, reading);
  if (reading.read == TextCharset::Utf8) return reader.TakeHeaderAsUtf8(headers_);
  return reader.Header();
}

void SourceTexts::TrialPassed(int index, bool multiByte) {
  if (!multiByte) charsets_[static_cast<std::size_t>(index)] = TextCharset::Ascii;
}

void SourceTexts::TrialFailed(int index, const SourceParts& parts) {
  SourceReader reader(parts, options_.makeDevice, kHeaderBufferSize);
  reader.OpenMif();
  reader.ReadHeader(headers_);
  // Changed since into one that declares a charset: read as it declares.
  const CharsetReading reading =
      CharsetFromText(reader.Header()) ? ReadCharsetFromText(reader) : CharsetReading{};
  Keep(index, reading.read == TextCharset::Utf8 ? CharsetReading{} : reading);  // tried already
}

const CharsetReading* SourceTexts::Mixed(int index) const {
  const auto found = mixed_.find(index);
  return found == mixed_.end() ? nullptr : &found->second;
}

void SourceTexts::Keep(int index, const CharsetReading& reading) {
  charsets_[static_cast<std::size_t>(index)] = reading.read;
  if (reading.read == TextCharset::Cp932 && HoldsUtf8Lines(reading)) {
    mixed_.emplace(index, reading);
  }
}

// The source's text read whole: by the look ahead begun at the source
// before, or here while the look ahead reads the next source's.
CharsetReading SourceTexts::LookAtText(int index, const SourceParts& parts, SourceReader& reader) {
  if (lookAhead_ && lookAhead_->Has(index, parts)) {
    reader.CloseMif();
    reader.FindMid();
    if (std::optional<CharsetReading> looked = lookAhead_->Take()) return *looked;
    reader.OpenMif();  // it changed since: looked at again here
    reader.ReadHeader(headers_);
  } else if (index + 1 < count_) {
    BeginLook(index + 1);
  }
  return ReadCharsetFromText(reader);
}

void SourceTexts::BeginLook(int index) {
  if (!options_.lookAhead) return;
  // Made at the first source that needs it: a second thread makes every
  // allocation of the run dearer, which sets of declared sources would pay
  // for nothing.
  if (!lookAhead_) lookAhead_ = std::make_unique<TextLookAhead>(options_.makeDevice);
  try {
    const SourceParts parts = inputs_.Source(index);
    if (!lookAhead_->Has(index, parts)) lookAhead_->Begin(index, parts);
  } catch (const Exception&) {
    // A list grown shorter: told at that source, when it comes.
  }
}

}  // namespace mif
