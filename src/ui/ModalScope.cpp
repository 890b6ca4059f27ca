// TApplication::ModalScope: the application's windows disabled under a
// modal dialog or box, and activation and focus given back after it.
#include <algorithm>

#include "ui/RuruzOZO.h"

namespace mif {

namespace {

TApplication::ModalScope* innermost = nullptr;

struct Disabling {
  HWND except;
  std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM lParam) {
  auto& scope = *reinterpret_cast<Disabling*>(lParam);
  if (window == scope.except || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  try {
    scope.disabled->push_back(window);
  } catch (...) {
    return FALSE;  // no exception may cross the system's call; the rest stay enabled
  }
  EnableWindow(window, FALSE);
  return TRUE;
}

// Windows activates another window as a modal one is hidden: the windows
// under it must be enabled by then to be chosen.
LRESULT CALLBACK WatchModalWindow(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && innermost != nullptr) {
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    const bool hiding =
        call.message == WM_WINDOWPOSCHANGING &&
        (reinterpret_cast<const WINDOWPOS*>(call.lParam)->flags & SWP_HIDEWINDOW) != 0;
    if ((hiding || call.message == WM_DESTROY) && innermost->IsModalWindow(call.hwnd)) {
      innermost->EnableAgain();
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TApplication::ModalScope::ModalScope(HWND except)
    : except_(except), active_(GetActiveWindow()), focus_(GetFocus()), outer_(innermost) {
  Disabling scope{except, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&scope));
  hook_ = SetWindowsHookExW(WH_CALLWNDPROC, WatchModalWindow, nullptr, GetCurrentThreadId());
  innermost = this;
}

TApplication::ModalScope::~ModalScope() {
  innermost = outer_;
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  EnableAgain();
  if (active_ != nullptr && IsWindow(active_) && IsWindowEnabled(active_)) {
    SetActiveWindow(active_);
  }
  if (focus_ != nullptr && IsWindow(focus_) && IsWindowEnabled(focus_)) SetFocus(focus_);
}

bool TApplication::ModalScope::IsModalWindow(HWND window) const {
  return window != except_ && GetAncestor(window, GA_ROOT) == window &&
         GetWindow(window, GW_OWNER) == TApplication::Instance().Handle() &&
         std::find(disabled_.begin(), disabled_.end(), window) == disabled_.end();
}

void TApplication::ModalScope::EnableAgain() {
  for (HWND window : disabled_) EnableWindow(window, TRUE);
  disabled_.clear();
}

}  // namespace mif
