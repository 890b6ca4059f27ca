// The texts and measures of the two message boxes, without a window.
#pragma once

#include <string>
#include <string_view>

namespace mif {

// The error box's closing period: a "." added when the last character's
// first byte, as code page 932 writes it, is above 0x2E, unless it ends a
// sentence already (。．！？, as the system's texts end). The text itself
// stays as it is, a name code page 932 cannot hold included.
std::u16string WithClosingPeriod(std::u16string message);

// The error box's whole text: the reason with its closing period, then, on
// a line of its own, the file it is about and where the run was ("(入力
// 2/3)"), as far as there are, and on the next what the run's output now
// holds, with its period. The "." never goes after a file name.
std::u16string ErrorBoxText(const std::u16string& reason, const std::u16string& file,
                            const std::u16string& place, const std::u16string& state = {});

// What Ctrl+C in the plain box puts on the clipboard (CR LF lines): dashes, the caption, dashes,
// the text, dashes, each button caption without "&" and with three spaces after it, dashes.
std::u16string PlainBoxClipboardText(std::u16string_view caption, std::u16string_view text,
                                     std::u16string_view buttons);

// The plain box's layout in pixels, from the font's average character size
// (the 52 letters' width / 52, and their height), the measured text and
// the width of "OK"; at least `captionWidth` wide, so that the caption
// shows whole.
struct PlainBoxLayout {
  int clientWidth, clientHeight;
  int textLeft, textTop;
  int buttonLeft, buttonTop, buttonWidth, buttonHeight;
};
PlainBoxLayout LayOutPlainBox(int averageWidth, int averageHeight, int textWidth, int textHeight,
                              int okWidth, int captionWidth = 0);

// Dialog units to pixels, rounded half away from zero.
int HorizontalPixels(int units, int averageWidth);
int VerticalPixels(int units, int averageHeight);

}  // namespace mif
