// The run's progress on the application's taskbar button, where Windows
// users look for it while the window is behind others: the sources done of
// the total, red when a run stops at an error, and a flash when a run ends
// while the window is not in front.
#pragma once

#include <windows.h>

#include <shobjidl.h>

namespace mif {

class TaskbarProgress {
 public:
  // `button` is the window that carries the taskbar button. Nothing shows
  // where the system has no taskbar list (ITaskbarList3, Windows 7 on).
  explicit TaskbarProgress(HWND button) : button_(button) {}
  ~TaskbarProgress();
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;

  void Show(int done, int total);
  // The bar in the error state, until Clear.
  void ShowError();
  void Clear();
  // Flashes the button until the window comes to the front, unless it is.
  void FlashUnlessInFront(HWND window);

 private:
  ITaskbarList3* List();

  HWND button_;
  ITaskbarList3* list_ = nullptr;
  bool tried_ = false;
};

}  // namespace mif
