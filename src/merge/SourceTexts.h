// How each source's text is read: as its header declares, or, where it
// leaves that to its text, as the text shows. The first pass looks at such
// a text whole (the next one on a second thread), unless an earlier source
// has settled its output's charset as one that either reading keeps: then
// the copy tries it as UTF-8, and only a byte that is no UTF-8 brings the
// look. What is decided here holds for both passes.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "merge/MergeInputs.h"
#include "merge/MergeOptions.h"
#include "merge/SourceCharset.h"
#include "merge/SourceReader.h"
#include "merge/TextLookAhead.h"

namespace mif {

class SchemaBuilder;

class SourceTexts {
 public:
  SourceTexts(MergeInputs& inputs, const MergeOptions& options, int count);

  // The first pass's reading of the source whose .mif `reader` holds open:
  // its header, in the charset decided for it, its .mid found, nothing left
  // open. With `output` (the builder of its output's columns so far) a
  // source the output's charset is settled for is left to a trial.
  const MifHeader& ReadHeader(int index, const SourceParts& parts, SourceReader& reader,
                              const SchemaBuilder* output);

  TextCharset CharsetOf(int index) const { return charsets_[static_cast<std::size_t>(index)]; }
  // Whether the copy tries the source as UTF-8 (TextMode::Utf8Trial).
  bool OnTrial(int index) const { return onTrial_[static_cast<std::size_t>(index)]; }
  // The trial begins: the source is read as UTF-8.
  void BeginTrial(int index) { charsets_[static_cast<std::size_t>(index)] = TextCharset::Utf8; }
  // The trial went through: UTF-8, or ASCII where no sequence of two bytes
  // or more came.
  void TrialPassed(int index, bool multiByte);
  // The trial met a byte that is no UTF-8: the text looked at whole, for
  // its charset and the lines of both kinds a warning names.
  void TrialFailed(int index, const SourceParts& parts);
  // The reading of a source read as code page 932 whose text holds UTF-8
  // lines too; nothing for any other.
  const CharsetReading* Mixed(int index) const;

  // The headers read so far, shared by both passes.
  HeaderMemo& Headers() { return headers_; }

 private:
  void Keep(int index, const CharsetReading& reading);
  CharsetReading LookAtText(int index, const SourceParts& parts, SourceReader& reader);
  void BeginLook(int index);

  MergeInputs& inputs_;
  const MergeOptions& options_;
  const int count_;
  std::vector<TextCharset> charsets_;  // a byte a source
  std::vector<bool> onTrial_;
  std::map<int, CharsetReading> mixed_;
  std::unique_ptr<TextLookAhead> lookAhead_;  // with options_.lookAhead, once needed
  HeaderMemo headers_;
};

}  // namespace mif
