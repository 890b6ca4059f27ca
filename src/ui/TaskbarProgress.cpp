#include "ui/TaskbarProgress.h"

namespace mif {

TaskbarProgress::~TaskbarProgress() {
  if (list_ != nullptr) list_->Release();
}

// Made when first wanted: by then the button exists, which the list needs.
ITaskbarList3* TaskbarProgress::List() {
  if (tried_) return list_;
  tried_ = true;
  void* list = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_ITaskbarList3, &list))) {
    list_ = static_cast<ITaskbarList3*>(list);
    if (FAILED(list_->HrInit())) {
      list_->Release();
      list_ = nullptr;
    }
  }
  return list_;
}

void TaskbarProgress::Show(int done, int total) {
  if (ITaskbarList3* list = List()) {
    list->SetProgressState(button_, TBPF_NORMAL);
    list->SetProgressValue(button_, static_cast<ULONGLONG>(done), static_cast<ULONGLONG>(total));
  }
}

void TaskbarProgress::ShowError() {
  if (ITaskbarList3* list = List()) list->SetProgressState(button_, TBPF_ERROR);
}

void TaskbarProgress::Clear() {
  if (ITaskbarList3* list = List()) list->SetProgressState(button_, TBPF_NOPROGRESS);
}

void TaskbarProgress::FlashUnlessInFront(HWND window) {
  if (GetForegroundWindow() == window) return;
  FLASHWINFO flash{};
  flash.cbSize = sizeof flash;
  flash.hwnd = button_;
  flash.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
  FlashWindowEx(&flash);
}

}  // namespace mif
