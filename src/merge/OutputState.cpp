#include "merge/OutputState.h"

#include "merge/OutputTarget.h"
#include "platform/PathText.h"
#include "text/MbcsText.h"

namespace mif {

namespace {

constexpr std::size_t kNamedOutputs = 3;

std::u16string Shown(const std::string& outputName) {
  return PathDisplay(OutputPairNames(outputName).mif);
}

}  // namespace

std::u16string HoldsText(const std::string& outputName, int whole, int count) {
  return u"出力 " + Shown(outputName) + u" には入力 1〜" +
         FormatIntegerWide(static_cast<std::size_t>(whole)) + u" (" +
         FormatIntegerWide(static_cast<std::size_t>(count)) + u" 個中) を書きました";
}

std::u16string UnchangedText(const std::string& outputName, bool existed) {
  return u"出力 " + Shown(outputName) + (existed ? u" は以前のままです" : u" は作っていません");
}

std::u16string NothingWrittenText() { return u"出力は書いていません"; }

std::u16string OutputsText(const std::vector<std::string>& completed, const std::u16string& stopped,
                           std::size_t notBegun) {
  std::u16string text;
  if (!completed.empty()) {
    text = u"出力 " + FormatIntegerWide(completed.size()) + u" 個は完成しています (";
    for (std::size_t k = 0; k < completed.size() && k < kNamedOutputs; ++k) {
      if (k > 0) text += u"、";
      text += Shown(completed[k]);
    }
    text += completed.size() > kNamedOutputs ? u" ほか)。" : u")。";
  }
  text += stopped;
  if (notBegun > 0)
    text += u"。残りの " + FormatIntegerWide(notBegun) + u" 個の出力は書いていません";
  return text;
}

}  // namespace mif
