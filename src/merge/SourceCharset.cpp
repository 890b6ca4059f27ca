#include "merge/SourceCharset.h"

#include "merge/CopyLimits.h"
#include "merge/MergeError.h"
#include "merge/OutputSchema.h"
#include "merge/SourceReader.h"
#include "platform/PathText.h"
#include "text/Cp932.h"
#include "text/MbcsText.h"
#include "text/Utf8Evidence.h"

namespace mif {

namespace {

LineKinds KindsOf(const Utf8Evidence& evidence) {
  return {evidence.FirstUtf8Line(), evidence.FirstOtherLine()};
}

// The rest of the file, a buffer at a time; refused where a Ctrl-Z hides
// text. Lines are counted by their LF.
LineKinds ReadRest(TextLineFile& file, std::int64_t firstLine) {
  Utf8Evidence evidence(firstLine);
  file.ResizeBuffer(kMergeBufferSize);
  for (std::string_view bytes = file.TakeBytes(); !bytes.empty(); bytes = file.TakeBytes()) {
    evidence.Take(bytes);
  }
  if (file.TextAfterCtrlZ()) throw TextAfterCtrlZError(file.Name(), evidence.LastLine());
  evidence.End();
  return KindsOf(evidence);
}

// "12 行目 (X.mif)"
std::u16string LineText(std::int64_t line, const std::string& file) {
  return FormatIntegerWide(line) + u" 行目 (" + PathDisplay(file) + u")";
}

}  // namespace

bool CharsetFromText(const MifHeader& header) {
  return !header.utf8 && IsNeutralCharset(header.charset);
}

CharsetReading ReadCharsetFromText(SourceReader& reader) {
  CharsetReading reading;
  const MifHeader& header = reader.Header();
  Utf8Evidence lines;
  for (const std::string& line : header.lines) {
    lines.Take(line);
    lines.Take("\n");
  }
  lines.End();
  reading.header = KindsOf(lines);
  reading.objects = ReadRest(reader.Mif(), static_cast<std::int64_t>(header.lines.size()) + 1);
  reader.CloseMif();
  reader.OpenMid();
  if (reader.HasMid()) {
    reading.mid = ReadRest(reader.Mid(), 1);
    reader.Mid().CloseFile();
  }
  const bool other = reading.header.other || reading.objects.other || reading.mid.other;
  const bool utf8 = reading.header.utf8 || reading.objects.utf8 || reading.mid.utf8;
  reading.read = other ? TextCharset::Cp932 : utf8 ? TextCharset::Utf8 : TextCharset::Ascii;
  return reading;
}

std::u16string MixedTextWarning(const CharsetReading& reading, const std::string& mifName,
                                const std::string& midName, bool utf8Option) {
  if (reading.read != TextCharset::Cp932) return {};
  std::u16string utf8, other;
  // The .mif's lines first, as the file is read.
  if (reading.header.utf8) {
    utf8 = LineText(reading.header.utf8, mifName);
  } else if (reading.objects.utf8 && !utf8Option) {
    utf8 = LineText(reading.objects.utf8, mifName);
  } else if (reading.mid.utf8) {
    utf8 = LineText(reading.mid.utf8, midName);
  }
  if (utf8.empty()) return {};
  if (reading.header.other || reading.objects.other) {
    other = LineText(reading.header.other ? reading.header.other : reading.objects.other, mifName);
  } else {
    other = LineText(reading.mid.other, midName);
  }
  return u"UTF-8 の行 (最初は " + utf8 + u") と UTF-8 ではない行 (最初は " + other +
         u") があるため、コードページ 932 として読みました。UTF-8 の行の文字は化けて"
         u"います: " +
         PathDisplay(mifName);
}

std::u16string DeclaredCharsetText(const std::string& charset) {
  return charset.empty() ? u"Charset の宣言がなく"
                         : u"Charset \"" + DecodeCp932(charset) + u"\" と宣言し";
}

std::u16string Utf8TextNote(const MifHeader& header, const std::string& mifName) {
  return DeclaredCharsetText(header.charset) +
         u"、本文が UTF-8 のため、UTF-8 として読んでコードページ 932 に変換しました: " +
         PathDisplay(mifName);
}

std::string CharsetReadText(const MifHeader& header, TextCharset read) {
  switch (read) {
    case TextCharset::Utf8:
      return "UTF-8 (text)";
    case TextCharset::Cp932:
      return "WindowsJapanese (text)";
    case TextCharset::Ascii:
      return "ASCII (text)";
    case TextCharset::Declared:
      break;
  }
  return (header.charset.empty() ? std::string("none") : header.charset) + " (declared)";
}

}  // namespace mif
