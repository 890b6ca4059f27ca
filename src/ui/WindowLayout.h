// The window's layout as designed at 96 dpi, and what scaling it to a
// monitor's dpi needs: the controls' places, kinds and tab order, the
// frame around the client area.
#pragma once

#include <windows.h>

#include <vector>

namespace mif {

// Control identifiers, which are also what tests find the controls by.
enum ControlId : int {
  kLabel1 = 101,
  kLabel2,
  kLabel3,
  kInNameList,
  kButton1,
  kButton2,
  kOutName,
  kBExecute,
  kCUtf8,
  kCPerLayer,
};

// The window's place and size at 96 dpi, its style and its font height.
inline constexpr int kWindowLeft = 192, kWindowTop = 114, kWindowWidth = 627, kWindowHeight = 533;
inline constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
inline constexpr int kFontHeight = -12;

// A control's place at 96 dpi, as the layout gives it.
struct ControlPlace {
  ControlId id;
  int left, top, width, height;
};
// The controls in the order the window makes them.
const std::vector<ControlPlace>& ControlLayout();

// What a control is made as: its class, styles and text.
struct ControlKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
  const wchar_t* text;
};
ControlKind KindOf(ControlId id);

// The controls in tab order.
const std::vector<ControlId>& TabOrder();

// A length at 96 dpi at `dpi`, as MulDiv rounds.
inline int Scale(int value, int dpi) { return MulDiv(value, dpi, 96); }

// The window's client area at `dpi`: at 96 the layout's window less the
// frame, scaled by dpi/96.
SIZE ClientSizeForDpi(int dpi);

// The window's rectangle around `client` at `dpi`: the frame as the
// system draws it at that dpi where it can say (Windows 10), else at the
// screen's.
RECT AroundClient(RECT client, int dpi);

// Per-monitor dpi where the system tells it (Windows 10), else the screen's.
int DpiOf(HWND window);

}  // namespace mif
