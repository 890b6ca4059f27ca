#include "ui/MessageText.h"

#include <algorithm>

#include "text/Cp932.h"

namespace mif {

namespace {

// Units to pixels: n * size / divisor, rounded half away from zero.
int Scale(int units, int size, int divisor) {
  const long long product = static_cast<long long>(units) * size;
  const long long rounded = product >= 0 ? (2 * product + divisor) / (2 * divisor)
                                         : -((-2 * product + divisor) / (2 * divisor));
  return static_cast<int>(rounded);
}

}  // namespace

std::u16string WithClosingPeriod(std::u16string message) {
  if (message.empty()) return message;
  std::size_t last = message.size() - 1;
  if (last > 0 && message[last] >= 0xDC00 && message[last] <= 0xDFFF) --last;  // a pair
  // A sentence that ends already, as Windows's own texts do: 。．！？
  if (std::u16string_view(u"。．！？").find(message[last]) != std::u16string_view::npos) {
    return message;
  }
  const std::string bytes = EncodeCp932(std::u16string_view(message).substr(last));
  if (!bytes.empty() && static_cast<unsigned char>(bytes[0]) > 0x2E) message += u'.';
  return message;
}

std::u16string ErrorBoxText(const std::u16string& reason, const std::u16string& file,
                            const std::u16string& place, const std::u16string& state) {
  std::u16string where = file;
  if (!place.empty()) where += (where.empty() ? u"(" : u" (") + place + u")";
  std::u16string text = WithClosingPeriod(reason);
  if (!where.empty()) text += u"\r\n" + where;
  if (!state.empty()) text += u"\r\n" + WithClosingPeriod(state);
  return text;
}

std::u16string PlainBoxClipboardText(std::u16string_view caption, std::u16string_view text,
                                     std::u16string_view buttons) {
  const std::u16string dashes = std::u16string(27, u'-') + u"\r\n";
  std::u16string captions;
  for (const char16_t c : buttons) {
    if (c != u'&') captions += c;
  }
  return dashes + std::u16string(caption) + u"\r\n" + dashes + std::u16string(text) + u"\r\n" +
         dashes + captions + u"   \r\n" + dashes;
}

int HorizontalPixels(int units, int averageWidth) { return Scale(units, averageWidth, 4); }
int VerticalPixels(int units, int averageHeight) { return Scale(units, averageHeight, 8); }

PlainBoxLayout LayOutPlainBox(int averageWidth, int averageHeight, int textWidth, int textHeight,
                              int okWidth, int captionWidth) {
  const int margin = HorizontalPixels(8, averageWidth);
  const int marginV = VerticalPixels(8, averageHeight);
  const int space = VerticalPixels(10, averageHeight);
  const int buttonWidth = std::max(HorizontalPixels(50, averageWidth), okWidth + 8);
  const int buttonHeight = VerticalPixels(14, averageHeight);
  PlainBoxLayout layout{};
  layout.clientWidth = std::max(std::max(textWidth, buttonWidth) + 2 * margin, captionWidth);
  layout.clientHeight = textHeight + buttonHeight + space + 2 * marginV;
  layout.textLeft = margin;
  layout.textTop = marginV;
  layout.buttonWidth = buttonWidth;
  layout.buttonHeight = buttonHeight;
  layout.buttonLeft = (layout.clientWidth - buttonWidth) / 2;
  layout.buttonTop = textHeight + marginV + space;
  return layout;
}

}  // namespace mif
