#include "ui/FileDialogs.h"

#include <commdlg.h>

#include "ui/RuruzOZO.h"

namespace mif {

namespace {

constexpr DWORD kOpenBuffer = 65519;
constexpr DWORD kSaveBuffer = 260;

// Places the dialog once it has set itself up: centred horizontally, its
// top at a third of the free height of the active window's monitor.
UINT_PTR CALLBACK PlaceDialog(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != CDN_INITDONE) return 0;
  HWND active = GetActiveWindow();
  HWND nearby = active != nullptr ? active : TApplication::Instance().MainWindow();
  PlaceOnMonitor(GetParent(hook), MonitorFromWindow(nearby, MONITOR_DEFAULTTONEAREST), 3);
  return 0;
}

std::optional<std::u16string> Show(HWND owner, const std::u16string& initialName,
                                   const wchar_t* filter, DWORD size, DWORD flags, bool open) {
  std::wstring buffer(size, L'\0');
  initialName.copy(reinterpret_cast<char16_t*>(buffer.data()), size - 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = size;
  dialog.Flags = flags | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_ENABLEHOOK;
  dialog.lpfnHook = PlaceDialog;
  TApplication::ModalScope modal;
  const BOOL chosen = open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return std::u16string(buffer.begin(), buffer.end());
}

class SystemFileDialogs final : public FileDialogs {
 public:
  std::optional<std::u16string> ChooseSources(HWND owner,
                                              const std::u16string& initialName) override {
    return Show(owner, initialName, L"MapInfo MIF files (*.mif)\0*.MIF\0", kOpenBuffer,
                OFN_ALLOWMULTISELECT, true);
  }
  std::optional<std::u16string> ChooseOutput(HWND owner,
                                             const std::u16string& initialName) override {
    auto chosen =
        Show(owner, initialName, L"MapInfo MIF ファイル (*.mif)\0*.MIF\0", kSaveBuffer, 0, false);
    if (chosen) chosen->resize(chosen->find(u'\0'));
    return chosen;
  }
};

}  // namespace

std::unique_ptr<FileDialogs> MakeSystemFileDialogs() {
  return std::make_unique<SystemFileDialogs>();
}

}  // namespace mif
