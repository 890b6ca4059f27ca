#include "ui/PlainMessage.h"

#include <windows.h>

#include <cstring>

#include "text/Cp932.h"
#include "ui/MessageText.h"
#include "ui/RuruzOZO.h"
#include "ui/Wide.h"
#include "ui/WindowError.h"

namespace mif {

namespace {

constexpr int kOkId = IDOK;
constexpr char16_t kOk[] = u"OK";

struct Box {
  std::u16string text;
  std::u16string caption;
  bool done = false;
};

void CopyToClipboard(HWND window, const Box& box) {
  MessageBeep(0);
  const std::u16string text = PlainBoxClipboardText(box.caption, box.text, kOk);
  const std::wstring wide = Wide(text);
  const std::string cp932 = EncodeCp932(text);  // for programs that read the ANSI text
  if (!OpenClipboard(window)) throw EWindowError(u"クリップボードを開くことができません");
  EmptyClipboard();
  const auto put = [](UINT format, const void* bytes, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) return;
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory) == nullptr) GlobalFree(memory);
  };
  put(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  put(CF_TEXT, cp932.c_str(), cp932.size() + 1);
  CloseClipboard();
}

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<Box*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == kOkId || LOWORD(wParam) == IDCANCEL) box->done = true;
      return 0;
    case WM_CLOSE:
      box->done = true;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

NONCLIENTMETRICSW NonClientMetrics() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics;
}

HFONT MessageFont() {
  const NONCLIENTMETRICSW metrics = NonClientMetrics();
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

SIZE Measure(HDC dc, const std::wstring& text, int width, UINT flags) {
  RECT rect{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | flags);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

int PlainBoxCaptionWidth(const std::wstring& caption) {
  const NONCLIENTMETRICSW metrics = NonClientMetrics();
  HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  const SIZE text = Measure(dc, caption, 0, DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  // The close button, and half a caption's height on either side of the text.
  return text.cx + metrics.iCaptionWidth + metrics.iCaptionHeight;
}

namespace {

// The box's layout from its font, in dialog units.
PlainBoxLayout LayOut(HFONT font, const std::wstring& text, const std::wstring& caption) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  const std::wstring letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE average{};
  GetTextExtentPoint32W(dc, letters.c_str(), 52, &average);
  const SIZE measured =
      Measure(dc, text, GetSystemMetrics(SM_CXSCREEN) / 2, DT_WORDBREAK | DT_EXPANDTABS);
  const SIZE ok = Measure(dc, L"OK", 0, DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return LayOutPlainBox(average.cx / 52, average.cy, measured.cx, measured.cy, ok.cx,
                        PlainBoxCaptionWidth(caption));
}

void RegisterBoxClass(HINSTANCE module) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(module, kPlainMessageClass, &windowClass)) return;
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = BoxProc;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kPlainMessageClass;
  RegisterClassExW(&windowClass);
}

bool IsCtrlC(const MSG& message) {
  return message.message == WM_KEYDOWN && message.wParam == 'C' && GetKeyState(VK_CONTROL) < 0 &&
         GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
}

}  // namespace

void ShowPlainMessage(const std::string& cp932Text) { ShowPlainMessage(DecodeCp932(cp932Text)); }

void ShowPlainMessage(const std::u16string& shown) {
  TApplication& application = TApplication::Instance();
  HINSTANCE module = application.ModuleInstance();
  RegisterBoxClass(module);
  Box box{shown, DecodeCp932(application.Title())};
  const std::wstring text = Wide(shown);
  HFONT font = MessageFont();
  const PlainBoxLayout layout = LayOut(font, text, Wide(box.caption));
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME;
  RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  TApplication::ModalScope modal;
  HWND window = CreateWindowExW(exStyle, kPlainMessageClass, Wide(box.caption).c_str(), style, 0, 0,
                                frame.right - frame.left, frame.bottom - frame.top,
                                application.Handle(), nullptr, module, &box);
  HWND label =
      CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, layout.textLeft,
                      layout.textTop, layout.clientWidth - 2 * layout.textLeft,
                      layout.clientHeight - layout.buttonHeight, window, nullptr, module, nullptr);
  HWND button =
      CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                      layout.buttonLeft, layout.buttonTop, layout.buttonWidth, layout.buttonHeight,
                      window, reinterpret_cast<HMENU>(kOkId), module, nullptr);
  SetWindowPos(label, nullptr, layout.textLeft, layout.textTop,
               layout.clientWidth - 2 * layout.textLeft, layout.buttonTop - layout.textTop,
               SWP_NOZORDER);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // Centred on the monitor of the application's active window.
  HWND active = GetActiveWindow();
  PlaceOnMonitor(window, MonitorFromWindow(active ? active : window, MONITOR_DEFAULTTOPRIMARY), 2);
  ShowWindow(window, SW_SHOW);
  SetFocus(button);
  MSG message;
  bool quit = false;
  while (!box.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_KEYDOWN &&
        (message.hwnd == window || IsChild(window, message.hwnd))) {
      if (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) {
        box.done = true;
        continue;
      }
      if (IsCtrlC(message)) {
        Dispatch([&] { CopyToClipboard(window, box); });
        continue;
      }
    }
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (!box.done) quit = true;  // WM_QUIT ended the loop: hand it on
  DestroyWindow(window);
  DeleteObject(font);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
}

}  // namespace mif
