// The program's entry and the application shell around the one window.
#include "ui/RuruzOZO.h"

#include <new>

#include "file/InOutError.h"
#include "merge/MergeError.h"
#include "merge/RunFacts.h"
#include "platform/PathText.h"
#include "text/Cp932.h"
#include "ui/MessageText.h"
#include "ui/RuruzOZOU.h"
#include "ui/Wide.h"

namespace mif {

namespace {

constexpr wchar_t kClassName[] = L"TApplication";
TApplication* instance = nullptr;

// The error's file as a full name, for the error box's second line.
std::wstring FullName(const std::string& path) {
  const std::wstring name = Wide(PathDisplay(path));
  wchar_t full[MAX_PATH * 4];
  const DWORD length = GetFullPathNameW(name.c_str(), MAX_PATH * 4, full, nullptr);
  return length > 0 && length < MAX_PATH * 4 ? std::wstring(full, length) : name;
}

// Moves `window` to the centre of `monitor`'s work area, without size,
// activation or redrawing.
void CentreOn(HWND window, HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const RECT& area = info.rcWork;
  SetWindowPos(window, nullptr, (area.left + area.right) / 2, (area.top + area.bottom) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace

TApplication::TApplication(HINSTANCE module) : instance_(module) {
  instance = this;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = module;
  windowClass.hIcon = LoadIconW(module, L"MAINICON");
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
  // Visible but without size: it stands for the program on the taskbar.
  handle_ = CreateWindowExW(0, kClassName, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, module, nullptr);
}

TApplication::~TApplication() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  UnregisterClassW(kClassName, instance_);
  instance = nullptr;
}

TApplication& TApplication::Instance() { return *instance; }

void TApplication::SetTitle(const std::string& cp932Title) {
  SetWindowTextW(handle_, Wide(cp932Title).c_str());
}

std::string TApplication::Title() const {
  wchar_t text[256];
  const int length = GetWindowTextW(handle_, text, 256);
  std::string title = Narrow(std::wstring_view(text, static_cast<std::size_t>(length)));
  if (title.size() > 255) title.resize(255);
  return title;
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TApplication* application = instance;
  if (application != nullptr && application->mainWindow_ != nullptr) {
    HWND main = application->mainWindow_;
    switch (message) {
      case WM_ACTIVATE:  // the taskbar button was clicked
        if (LOWORD(wParam) != WA_INACTIVE && IsWindowVisible(main) && IsWindowEnabled(main)) {
          SetActiveWindow(main);
        }
        return 0;
      case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_RESTORE && IsIconic(window)) {
          DefWindowProcW(window, message, wParam, lParam);
          ShowWindow(main, SW_SHOW);
          SetActiveWindow(main);
          return 0;
        }
        break;
      case WM_CLOSE:
        PostMessageW(main, WM_CLOSE, 0, 0);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool TApplication::HandleMessage(MSG& message) {
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  HWND active = GetActiveWindow();
  if (active == nullptr || !IsDialogMessageW(active, &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

void TApplication::Run(int showCommand) {
  ShowWindow(handle_, showCommand == SW_SHOWMINNOACTIVE ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
  if (showCommand == SW_SHOWMAXIMIZED) {
    ShowWindow(mainWindow_, SW_SHOWMAXIMIZED);
  } else if (showCommand != SW_SHOWMINNOACTIVE) {
    ShowWindow(mainWindow_, SW_SHOWNORMAL);
  }
  MSG message;
  while (!terminated_) {
    if (!HandleMessage(message)) WaitMessage();
  }
}

void TApplication::ProcessPendingMessages() {
  MSG message;
  while (HandleMessage(message)) {
  }
}

// The error's reason, its file, the run's place and what the output holds:
// a file error's and a refusal's file go on a line of their own.
std::u16string TApplication::ErrorText() const {
  std::u16string reason, file, place, state;
  try {
    throw;
  } catch (const Exception& error) {
    reason = error.Describe(false);
    std::string path = error.FileName();
    // An output's temporary file is told by the output's name.
    if (PlaceOf(error).kind == ErrorPlace::Kind::Output) path = PlaceOf(error).path;
    if (!path.empty()) file = Utf16(FullName(path));
    if (PlaceOf(error).kind == ErrorPlace::Kind::Source) {
      place = SourcePlace(PlaceOf(error).index, PlaceOf(error).count);
    }
    state = OutputStateOf(error);
  } catch (...) {
    reason = CurrentErrorText();
  }
  return ErrorBoxText(reason, file, place, state);
}

void TApplication::ReportError() noexcept {
  try {
    ShowBox(Wide(ErrorText()), MB_OK | MB_ICONERROR);
  } catch (...) {
    // Memory ran out making the text: a fixed one says at least that much.
    MessageBoxW(handle_, L"エラーが起きましたが、その内容を表示できません。", nullptr,
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
}

bool TApplication::AskYesNo(const std::u16string& text) {
  return ShowBox(Wide(text), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int TApplication::ShowBox(const std::wstring& text, UINT type) {
  if (HWND captured = GetCapture()) SendMessageW(captured, WM_CANCELMODE, 0, 0);
  HWND active = GetActiveWindow();
  RECT place{};
  GetWindowRect(handle_, &place);
  const HMONITOR activeMonitor =
      MonitorFromWindow(active ? active : handle_, MONITOR_DEFAULTTONEAREST);
  const bool moved = activeMonitor != MonitorFromWindow(handle_, MONITOR_DEFAULTTONEAREST);
  if (moved) CentreOn(handle_, activeMonitor);
  int answer = 0;
  {
    ModalScope modal;
    answer = MessageBoxW(handle_, text.c_str(), Wide(Title()).c_str(), type);
  }
  if (moved) {
    SetWindowPos(handle_, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  return answer;
}

void PlaceOnMonitor(HWND window, HMONITOR monitor, int verticalDivisor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  RECT rect;
  GetWindowRect(window, &rect);
  const RECT& area = info.rcMonitor;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / verticalDivisor, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Dispatch(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (...) {
    if (instance != nullptr) instance->ReportError();
  }
  return false;
}

}  // namespace mif
