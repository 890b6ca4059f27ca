// The two file dialogs of the main window behind a seam, so that tests can
// supply the selections; the program uses the system's.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace mif {

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The open dialog's buffer, Explorer style (texts ended by zeros, the run
  // by an empty one), or nothing when it was cancelled or failed.
  virtual std::optional<std::u16string> ChooseSources(HWND owner,
                                                      const std::u16string& initialName) = 0;
  // The one full name chosen, or nothing.
  virtual std::optional<std::u16string> ChooseOutput(HWND owner,
                                                     const std::u16string& initialName) = 0;
};

// GetOpenFileNameW (multi-select, 65519 characters) and GetSaveFileNameW
// (260), with the window's filters, centred horizontally on the monitor of
// the active window with their top at a third of its height.
std::unique_ptr<FileDialogs> MakeSystemFileDialogs();

}  // namespace mif
