// The texts and measures of the two message boxes, without a window.
#pragma once

#include <string>
#include <string_view>

namespace mif {

// The error box's text: a "." added when the last character (found by the
// lead-byte rule) has a first byte above 0x2E. Code page 932 bytes.
std::string WithClosingPeriod(std::string message);

// What Ctrl+C in the plain box puts on the clipboard (code page 932, CR LF
// lines): dashes, the caption, dashes, the text, dashes, each button
// caption without "&" and with three spaces after it, dashes.
std::string PlainBoxClipboardText(std::string_view caption, std::string_view text,
                                  std::string_view buttons);

// The plain box's layout in pixels, from the font's average character size
// (the 52 letters' width / 52, and their height), the measured text and
// the width of "OK".
struct PlainBoxLayout {
  int clientWidth, clientHeight;
  int textLeft, textTop;
  int buttonLeft, buttonTop, buttonWidth, buttonHeight;
};
PlainBoxLayout LayOutPlainBox(int averageWidth, int averageHeight, int textWidth, int textHeight,
                              int okWidth);

// Dialog units to pixels, rounded half away from zero.
int HorizontalPixels(int units, int averageWidth);
int VerticalPixels(int units, int averageHeight);

}  // namespace mif
