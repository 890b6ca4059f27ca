#include "ui/MessageText.h"

#include <algorithm>

#include "text/MbcsText.h"

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

std::string WithClosingPeriod(std::string message) {
  const int last = FindLastCharacter(message);
  if (last > 0 && static_cast<unsigned char>(message[last - 1]) > 0x2E) message += '.';
  return message;
}

std::string PlainBoxClipboardText(std::string_view caption, std::string_view text,
                                  std::string_view buttons) {
  const std::string dashes = std::string(27, '-') + "\r\n";
  std::string captions;
  for (const char c : buttons) {
    if (c != '&') captions += c;
  }
  return dashes + std::string(caption) + "\r\n" + dashes + std::string(text) + "\r\n" + dashes +
         captions + "   \r\n" + dashes;
}

int HorizontalPixels(int units, int averageWidth) { return Scale(units, averageWidth, 4); }
int VerticalPixels(int units, int averageHeight) { return Scale(units, averageHeight, 8); }

PlainBoxLayout LayOutPlainBox(int averageWidth, int averageHeight, int textWidth, int textHeight,
                              int okWidth) {
  const int margin = HorizontalPixels(8, averageWidth);
  const int marginV = VerticalPixels(8, averageHeight);
  const int space = VerticalPixels(10, averageHeight);
  const int buttonWidth = std::max(HorizontalPixels(50, averageWidth), okWidth + 8);
  const int buttonHeight = VerticalPixels(14, averageHeight);
  PlainBoxLayout layout{};
  layout.clientWidth = std::max(textWidth, buttonWidth) + 2 * margin;
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
