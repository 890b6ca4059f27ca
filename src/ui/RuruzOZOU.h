// The main window TRuruzOZOF: the source list with its check marks, the
// output name, the per-layer and UTF-8 options and the Execute button. It
// supplies the merge run with its inputs, shows the run's progress in the
// marks and its warnings at its end, and lets the user stop it.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "merge/MergeInputs.h"
#include "merge/SourceEntry.h"
#include "ui/EntryList.h"
#include "ui/FileDialogs.h"
#include "ui/TaskbarProgress.h"
#include "ui/WarningsText.h"
#include "ui/WindowLayout.h"

namespace mif {

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

  // Appends the entries of dropped files that are not listed yet: .mif
  // files, and the .mif files of dropped folders and their subfolders (as
  // the command line takes a folder with -r), but the output pair's.
  // Names that are neither are told in a box, after the run during one.
  void DropFiles(const std::vector<std::u16string>& names);
  // Takes the selected entries out of the list, during a run too: those
  // the run has not merged yet are left out of it.
  void DeleteSelectedEntries();

  // MergeInputs: what the run reads, when it reads it.
  int SourceCount() override;
  SourceParts Source(int index) override;
  void SourceStarting(int index) override;
  bool Withdrawn(int index) override;
  std::string OutputName() override;
  bool Utf8Option() override;
  bool MergeAllColumns(const EColumnsError& problem) override;
  void SourceExamining(int index) override;
  void BytesMerged(std::uint64_t total) override;
  void Warning(int index, const SourceWarning& warning) override;

 private:
  struct RunEntry;
  const RunEntry& RunEntryAt(int index) const;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  // The controls and the font, without the window's size.
  void ApplyDpi(int dpi);
  // The count in Label3 and in the caption, after the entries changed.
  void ShowCount();
  // The identities of the output pair's files that are there now.
  std::vector<FileIdentity> OutputIdentities();
  // × or Esc during a run: asks whether to stop it, once.
  void AskToStop(bool thenClose);
  // Raises ERunStopped when the user chose to stop.
  void StopIfAsked() const;
  void ShowAfterRun();
  // Asks whether to look at the run's coverage; writes it to the user's
  // temporary folder and opens it in the browser.
  void OfferCoverage();
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
  std::unique_ptr<EntryList> entries_;
  // The run's sources as listed when it began, by the entries' identities:
  // a Delete during the run takes out those not merged yet, and shifts no
  // other.
  struct RunEntry {
    EntryList::Id id;
    SourceParts parts;
  };
  std::vector<RunEntry> runEntries_;
  std::u16string openInitialName_, saveInitialName_;
  bool running_ = false;
  bool columnsDeclined_ = false;  // the user chose to stop at the question
  bool stopAsked_ = false;        // answered はい: the run stops at the next source
  bool closeAfterRun_ = false;
  std::vector<WarningNote> warnings_;             // the run's
  std::vector<std::u16string> outputNotes_;       // what its outputs told of a run before
  std::shared_ptr<const MeshCoverage> coverage_;  // of the last run of mesh tiles
  std::vector<std::u16string> skippedInRun_;      // dropped names told after the run
  int runCount_ = 0;
  std::chrono::steady_clock::time_point lastTurn_;
};

}  // namespace mif
