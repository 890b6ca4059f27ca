// The plain message box: the application title as caption, the text, one
// OK button that is both the default and the cancel button. Enter, Esc,
// the button and the close button close it; Ctrl+C beeps and copies its
// content.
#pragma once

#include <string>

namespace mif {

// Shows `cp932Text` modally and returns when the box is closed.
void ShowPlainMessage(const std::string& cp932Text);
// The same for wide text, which may hold names code page 932 cannot.
void ShowPlainMessage(const std::u16string& message);

// The client width the box's caption needs to show whole: its text in
// the caption font, the close button and a margin either side.
int PlainBoxCaptionWidth(const std::wstring& caption);

// The class of the box's window, for those who look for it.
inline constexpr wchar_t kPlainMessageClass[] = L"TPlainMessage";

}  // namespace mif
