#include "ui/WindowLayout.h"

namespace mif {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

const std::vector<ControlPlace>& ControlLayout() {
  static const std::vector<ControlPlace> layout = {
      {kLabel1, 16, 448, 154, 12},     {kLabel2, 16, 24, 89, 12},   {kLabel3, 384, 16, 4, 12},
      {kInNameList, 16, 40, 585, 393}, {kButton1, 152, 16, 75, 25}, {kButton2, 184, 440, 75, 25},
      {kOutName, 16, 464, 585, 20},    {kBExecute, 528, 8, 75, 25}, {kCUtf8, 376, 16, 121, 17},
      {kCPerLayer, 272, 444, 137, 17},
  };
  return layout;
}

// The gaps in 参　照 and 実　行 are the ideographic space U+3000.
ControlKind KindOf(ControlId id) {
  // Clipped by their siblings: cUTF8 covers Label3, as the layout has it.
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (id) {
    case kLabel1:
      return {L"STATIC", child | SS_LEFT | SS_NOPREFIX, 0, L"結合ファイル（作成ファイル）名"};
    case kLabel2:
      return {L"STATIC", child | SS_LEFT | SS_NOPREFIX, 0, L"結合元ファイル名"};
    case kLabel3:
      return {L"STATIC", child | SS_LEFT | SS_NOPREFIX, 0, L""};
    case kInNameList:
      return {L"LISTBOX",
              child | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                  LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT,
              WS_EX_CLIENTEDGE, L""};
    case kButton1:
    case kButton2:
      return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0, L"参\u3000照"};
    case kOutName:
      return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, L""};
    case kBExecute:
      return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0, L"実\u3000行"};
    case kCUtf8:
      return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0, L"UTF-8>SJIS変換"};
    case kCPerLayer:
      return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0, L"レイヤーごとに出力"};
  }
  return {};
}

const std::vector<ControlId>& TabOrder() {
  // As designed, with cPerLayer after the output's 参照.
  static const std::vector<ControlId> order = {kInNameList, kButton1,  kButton2, kCPerLayer,
                                               kOutName,    kBExecute, kCUtf8};
  return order;
}

SIZE ClientSizeForDpi(int dpi) {
  const RECT frame = AroundClient({0, 0, 0, 0}, 96);
  return {Scale(kWindowWidth - (frame.right - frame.left), dpi),
          Scale(kWindowHeight - (frame.bottom - frame.top), dpi)};
}

RECT AroundClient(RECT client, int dpi) {
  static const auto adjust = reinterpret_cast<AdjustForDpiFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  if (adjust == nullptr || !adjust(&client, kWindowStyle, FALSE, 0, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&client, kWindowStyle, FALSE, 0);
  }
  return client;
}

int DpiOf(HWND window) {
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi != nullptr) {
    if (const UINT dpi = getDpi(window)) return static_cast<int>(dpi);
  }
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

}  // namespace mif
