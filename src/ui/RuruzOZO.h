// The application shell: one object per process with the hidden window of
// class "TApplication" that carries the title and the taskbar button and
// owns the main window, the dialogs and the boxes; the message loop; and
// the error box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace mif {

class TApplication {
 public:
  static constexpr const char16_t* kTitle = u"トランスレータ結果のMIF/MIDを結合する";

  // Makes the hidden window with the icon MAINICON of `instance`.
  explicit TApplication(HINSTANCE instance);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The one object of the process, once made.
  static TApplication& Instance();

  HINSTANCE ModuleInstance() const { return instance_; }
  HWND Handle() const { return handle_; }
  // Sets the hidden window's caption; Title reads it back (at most 255
  // bytes, code page 932).
  void SetTitle(const std::string& cp932Title);
  std::string Title() const;

  // The first window made with this as its owner becomes the main window.
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  HWND MainWindow() const { return mainWindow_; }

  // Shows the main window by the show command (3 maximised, 7 minimised,
  // otherwise as it is laid out) and runs the message loop until a quit
  // request is taken.
  void Run(int showCommand);
  // Handles every waiting message as the loop would, then returns. A quit
  // request sets the terminated flag and handling goes on.
  void ProcessPendingMessages();
  bool Terminated() const { return terminated_; }

  // Shows the exception being handled in the error box (MB_ICONERROR, the
  // title as caption, the closing-period rule, the failing file and its
  // place in the run on a second line, what the run's output holds on a
  // third), with the application's windows disabled, and restores
  // activation and focus afterwards.
  void ReportError() noexcept;
  // Asks `text` in the question box (the title as caption, はい and いいえ,
  // the application's windows disabled meanwhile); true for はい.
  bool AskYesNo(const std::u16string& text);

  // Disables the application's enabled windows for a modal dialog or box
  // owned by the application's window. They are enabled again as that
  // window is hidden or destroyed, before Windows chooses the window to
  // activate, and at the latest when the scope ends; then the window that
  // was active is activated again, and the focus goes back where it was.
  class ModalScope {
   public:
    explicit ModalScope(HWND except = nullptr);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    // Whether `window` is the dialog or box of this scope.
    bool IsModalWindow(HWND window) const;
    void EnableAgain();

   private:
    std::vector<HWND> disabled_;
    HWND except_;
    HWND active_;
    HWND focus_;
    ModalScope* outer_;
    HHOOK hook_ = nullptr;
  };

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleMessage(MSG& message);
  // The error box's text for the exception being handled.
  std::u16string ErrorText() const;
  // A system box over the application, activation and focus given back.
  int ShowBox(const std::wstring& text, UINT type);

  HINSTANCE instance_;
  HWND handle_ = nullptr;
  HWND mainWindow_ = nullptr;
  bool terminated_ = false;
};

// Moves `window`, keeping its size, to the middle of `monitor` across and
// to 1/`verticalDivisor` of the height it leaves free down (2 centres it).
void PlaceOnMonitor(HWND window, HMONITOR monitor, int verticalDivisor);

// Runs `handler`, showing what it throws in the error box: no C++
// exception may cross a Win32 callback. Gives whether it returned normally.
bool Dispatch(const std::function<void()>& handler);

}  // namespace mif
