#include "merge/SourceWarnings.h"

#include "merge/SourceCharset.h"
#include "merge/SourceCopy.h"
#include "merge/SourceReader.h"
#include "platform/PathText.h"
#include "text/Cp932.h"
#include "text/MbcsText.h"

namespace mif {

namespace {

// "N 個を ? にしました (最初は L 行目): file" after what they were.
std::u16string ReplacedText(const std::u16string& what, const Tally& tally,
                            const std::string& file) {
  return what + u" " + FormatIntegerWide(tally.count) + u" 個を ? にしました (最初は " +
         FormatIntegerWide(tally.firstLine) + u" 行目): " + PathDisplay(file);
}

std::u16string NotCp932Text(const std::string& file, const std::string& charset,
                            const TextNotes& notes) {
  const std::u16string lines = FormatIntegerWide(notes.notCp932.count) + u" 行あります (最初は " +
                               FormatIntegerWide(notes.notCp932.firstLine) + u" 行目)";
  const std::u16string text =
      notes.looksUtf8
          ? DeclaredCharsetText(charset) + u"、UTF-8 のように見える行が " + lines
          : DeclaredCharsetText(charset) + u"、コードページ 932 として読めない行が " + lines;
  return text + u"。コードページ 932 として、そのまま書きました: " + PathDisplay(file);
}

std::u16string ReplacedNameText(const std::u16string& what, std::size_t count,
                                const std::string& file) {
  return u"ファイル名の " + FormatIntegerWide(static_cast<std::int64_t>(count)) +
         u" 文字はコードページ 932 にないため、" + what + u"では ? にしました: " +
         PathDisplay(file);
}

void AddTextWarnings(const std::string& file, const std::string& charset, const TextNotes& notes,
                     std::vector<SourceWarning>& warnings) {
  constexpr WarningKind kReplaced = WarningKind::TextReplaced;
  if (notes.unmapped.count > 0) {
    warnings.push_back(
        {kReplaced, ReplacedText(u"コードページ 932 で表せない文字", notes.unmapped, file)});
  }
  if (notes.malformed.count > 0) {
    warnings.push_back(
        {kReplaced, ReplacedText(u"UTF-8 として正しくないバイト列", notes.malformed, file)});
  }
  if (notes.notCp932.count > 0) {
    warnings.push_back({WarningKind::TextNotCp932, NotCp932Text(file, charset, notes)});
  }
}

}  // namespace

std::vector<SourceWarning> SourceWarnings(const SourceReader& source, const SourceLayout& layout,
                                          const CopyResult& result) {
  const SourcePairNames names = source.Names();
  std::vector<SourceWarning> warnings;
  const SourceName& name = source.Name();
  if (layout.own >= 1) {
    warnings.push_back({WarningKind::MergedOutput,
                        u"先頭の列 " + DecodeCp932(source.Header().columns.front().name) +
                            u" の値をレイヤー名にしました (結合した出力をもう一度結合したときの扱い"
                            u"で、ファイル名からのレイヤー名は使いません): " +
                            PathDisplay(names.mif)});
  } else if (name.layerReplaced > 0) {
    warnings.push_back({WarningKind::NameNotCp932,
                        ReplacedNameText(u"レイヤー名", name.layerReplaced, names.mif)});
  }
  if (layout.tile && layout.own < 2 && name.tileReplaced > 0) {
    warnings.push_back(
        {WarningKind::NameNotCp932, ReplacedNameText(u"タイル名", name.tileReplaced, names.mif)});
  }
  const std::string& charset = source.Header().charset;
  AddTextWarnings(names.mif, charset, result.objectNotes, warnings);
  AddTextWarnings(names.mid, charset, result.rowNotes, warnings);
  return warnings;
}

SourceWarning OutsideMeshWarning(const std::string& tile, std::int64_t outside, std::int64_t line,
                                 const std::string& found, const std::string& mifName) {
  const std::u16string where =
      found.empty() ? u"メッシュコードの範囲の外" : u"メッシュ " + DecodeCp932(found);
  return {WarningKind::OutsideMesh,
          u"タイルのメッシュ " + DecodeCp932(tile) + u" の外に点のあるオブジェクトが " +
              FormatIntegerWide(outside) + u" 個あります (最初は " + FormatIntegerWide(line) +
              u" 行目で、" + where + u" にあります): " + PathDisplay(mifName)};
}

std::u16string MeshNotCheckedNote(const std::string& mifName) {
  return u"CoordSys が経緯度ではないため、点がタイルのメッシュにあるかは調べていません: " +
         PathDisplay(mifName);
}

}  // namespace mif
