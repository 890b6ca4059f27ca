// The main window TRuruzOZOF: the source list with its check marks, the
// output name, the UTF-8 option and the Execute button. It supplies the
// merge run with its inputs and shows the run's progress in the marks.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "merge/MergeInputs.h"
#include "merge/SourceEntry.h"
#include "ui/FileDialogs.h"
#include "ui/TaskbarProgress.h"

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
};

// A control's place at 96 dpi, as the layout gives it.
struct ControlPlace {
  ControlId id;
  int left, top, width, height;
};
// The controls in the order the window makes them.
const std::vector<ControlPlace>& ControlLayout();

// The window's client area at `dpi`: at 96 the layout's window less the
// frame, scaled by dpi/96.
SIZE ClientSizeForDpi(int dpi);

class TRuruzOZOF final : public MergeInputs {
 public:
  static constexpr wchar_t kClassName[] = L"TRuruzOZOF";

  // Makes the window, hidden, owned by the application's hidden window.
  explicit TRuruzOZOF(std::unique_ptr<FileDialogs> dialogs);
  ~TRuruzOZOF() override;
  TRuruzOZOF(const TRuruzOZOF&) = delete;
  TRuruzOZOF& operator=(const TRuruzOZOF&) = delete;

  HWND Handle() const { return handle_; }
  HWND Control(ControlId id) const { return GetDlgItem(handle_, id); }

  void Button1Click();
  void Button2Click();
  void bExecuteClick();

  // Lays the window out for `dpi`: its client area, every control's place
  // and the font height scaled by dpi/96 as MulDiv rounds, the frame
  // around them as the system draws it at that dpi, the window's place
  // kept. At 96 dpi the window is 627 x 533, as the layout gives it.
  void LayOutForDpi(int dpi);

  // Appends the entries of dropped files: .mif files, and the .mif files
  // directly inside dropped folders in name order.
  void DropFiles(const std::vector<std::u16string>& names);

  // MergeInputs: what the run reads, when it reads it.
  int SourceCount() override;
  SourceParts Source(int index) override;
  void SourceStarting(int index) override;
  std::string OutputName() override;
  bool Utf8Option() override;
  bool MergeAllColumns(const EColumnsError& problem) override;
  void SourceExamining(int index) override;
  void BytesMerged(std::uint64_t total) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  // The controls and the font, without the window's size.
  void ApplyDpi(int dpi);
  void SetEntries(const std::vector<std::string>& paths, bool append);
  void SetLabel3(const std::string& cp932Text);
  void FitLabelToText(ControlId id);
  void SetMark(int index, bool marked);
  // A turn of the message loop when the last was 100 ms ago or more.
  void TakeTurnNow();

  std::unique_ptr<FileDialogs> dialogs_;
  HWND handle_ = nullptr;
  HFONT font_ = nullptr;
  HWND focus_ = nullptr;
  TaskbarProgress taskbar_;  // the control that had the focus when the window was left
  int dpi_ = 96;
  std::vector<SourceParts> parts_;  // beside the list's texts, one an entry
  std::u16string openInitialName_, saveInitialName_;
  bool running_ = false;
  bool columnsDeclined_ = false;  // the user chose to stop at the question
  int runCount_ = 0;
  std::chrono::steady_clock::time_point lastTurn_;
};

}  // namespace mif
