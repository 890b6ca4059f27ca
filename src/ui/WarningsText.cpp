#include "ui/WarningsText.h"

#include <algorithm>
#include <set>
#include <string_view>
#include "text/MbcsText.h"

namespace mif {

namespace {

const char16_t* KindText(WarningKind kind) {
  switch (kind) {
    case WarningKind::Duplicate:
      return u"二度ある入力 (同じファイル、またはほかのフォルダーの同じ名前)";
    case WarningKind::MergedOutput:
      return u"結合した出力をもう一度結合したもの (先頭の列の値をレイヤー名にしました)";
    case WarningKind::NameNotCp932:
      return u"ファイル名の文字を ? にしてレイヤー名やタイル名にしたもの";
    case WarningKind::TextReplaced:
      return u"文字を ? にして書いたもの";
    case WarningKind::TextNotCp932:
      return u"Charset が Neutral か宣言がなく、コードページ 932 として読めない行をそのまま書いた"
             u"もの";
    case WarningKind::TextMixed:
      return u"Charset が Neutral か宣言がなく、UTF-8 の行とそうでない行があり、コードページ 932 "
             u"として読んだもの";
    case WarningKind::OutsideMesh:
      return u"タイルのメッシュの外に点のあるオブジェクトがあるもの";
  }
  return u"";
}

}  // namespace

std::u16string WarningsText(const std::vector<WarningNote>& notes) {
  std::vector<WarningKind> kinds;
  for (const WarningNote& note : notes) {
    if (std::find(kinds.begin(), kinds.end(), note.kind) == kinds.end()) {
      kinds.push_back(note.kind);
    }
  }
  std::u16string text =
      u"結合しましたが、警告が " + FormatIntegerWide(notes.size()) + u" 件あります:";
  for (const WarningKind kind : kinds) {
    std::vector<std::u16string_view> named;  // the first files, each once
    std::set<std::u16string_view> files;
    std::size_t count = 0;
    for (const WarningNote& note : notes) {
      if (note.kind != kind) continue;
      ++count;
      if (files.insert(note.file).second && named.size() < kNamedFiles) named.push_back(note.file);
    }
    text +=
        u"\r\n\r\n" + std::u16string(KindText(kind)) + u": " + FormatIntegerWide(count) + u" 件";
    for (const std::u16string_view file : named) text += u"\r\n  " + std::u16string(file);
    if (files.size() > named.size()) {
      text += u"\r\n  ほか " + FormatIntegerWide(files.size() - named.size()) + u" ファイル";
    }
  }
  return text;
}

std::u16string CoverageQuestionText(const MeshCoverage& coverage) {
  const auto count = [](std::int64_t n) { return FormatIntegerWide(static_cast<std::size_t>(n)); };
  std::u16string text = u"メッシュ:";
  std::int64_t holes = 0, outside = 0, duplicated = 0;
  for (const MeshLevel level : coverage.Levels()) {
    const TileCounts counts = coverage.CountsOf(nullptr, level);
    text.append(u" ").append(MeshLevelName(level)).append(u" ");
    text.append(count(counts.present)).append(u" タイル");
    holes += counts.holes;
  }
  for (const MeshCoverage::Part& part : coverage.Parts()) {
    const TileCounts counts = coverage.CountsOf(&part, part.level);
    outside += counts.outside;
    duplicated += counts.duplicated;
  }
  text.append(u" (").append(FormatIntegerWide(coverage.LayerNames().size()));
  text.append(u" レイヤー)\r\n穴 ").append(count(holes));
  text.append(u"、メッシュ外 ").append(count(outside));
  text.append(u"、重複 ").append(count(duplicated));
  text.append(
      u"\r\n\r\nメッシュの有無を図で見ますか?\r\n"
      u"(はいを選ぶと、図を一時フォルダーに書いてブラウザーで開きます)");
  return text;
}

}  // namespace mif
