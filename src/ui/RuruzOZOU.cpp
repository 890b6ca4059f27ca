#include "ui/RuruzOZOU.h"

#include <shellapi.h>

#include <algorithm>
#include <exception>

#include "file/FileName.h"
#include "merge/CoveragePicture.h"
#include "merge/MergeRun.h"
#include "merge/OutputTarget.h"
#include "merge/PathList.h"
#include "merge/RunFacts.h"
#include "merge/SourceExpansion.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "text/AsciiCase.h"
#include "ui/CheckList.h"
#include "ui/DialogSelection.h"
#include "ui/MessageText.h"
#include "ui/PlainMessage.h"
#include "ui/RuruzOZO.h"
#include "ui/Wide.h"
#include "ui/WindowError.h"

namespace mif {

namespace {

constexpr auto kTurnInterval = std::chrono::milliseconds(100);

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The .mif files of a folder and its subfolders, as mifjoin -r takes them.
std::vector<std::string> MifFilesIn(const std::u16string& folder) {
  PathList found;
  ExpandSource(PathFromText(folder), true, found);
  std::vector<std::string> paths;
  paths.reserve(found.Size());
  for (std::size_t i = 0; i < found.Size(); ++i) paths.push_back(found[i]);
  return paths;
}

// The wait cursor while a drop is taken: no message is handled meanwhile.
class BusyCursor {
 public:
  BusyCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~BusyCursor() { SetCursor(previous_); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace

TRuruzOZOF::TRuruzOZOF(std::unique_ptr<FileDialogs> dialogs)
    : dialogs_(std::move(dialogs)), taskbar_(TApplication::Instance().Handle()) {
  TApplication& application = TApplication::Instance();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = application.ModuleInstance();
  windowClass.hIcon = LoadIconW(application.ModuleInstance(), L"MAINICON");
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
  handle_ = CreateWindowExW(0, kClassName, L"MIFデータを連結する", kWindowStyle, kWindowLeft,
                            kWindowTop, kWindowWidth, kWindowHeight, application.Handle(), nullptr,
                            application.ModuleInstance(), this);
  if (handle_ == nullptr) throw EWindowError(u"ウィンドウを作成できません");
  CreateControls();
  entries_ = std::make_unique<EntryList>(Control(kInNameList));
  LayOutForDpi(DpiOf(handle_));
  DragAcceptFiles(handle_, TRUE);
  application.SetMainWindow(handle_);
}

TRuruzOZOF::~TRuruzOZOF() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  if (font_ != nullptr) DeleteObject(font_);
  UnregisterClassW(kClassName, TApplication::Instance().ModuleInstance());
}

void TRuruzOZOF::CreateControls() {
  HINSTANCE module = TApplication::Instance().ModuleInstance();
  for (const ControlPlace& place : ControlLayout()) {
    const ControlKind kind = KindOf(place.id);
    if (!CreateWindowExW(kind.exStyle, kind.className, kind.text, kind.style, place.left, place.top,
                         place.width, place.height, handle_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), module,
                         nullptr)) {
      throw EWindowError(u"ウィンドウを作成できません");
    }
  }
  HWND after = HWND_TOP;
  for (const ControlId id : TabOrder()) {
    SetWindowPos(Control(id), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = Control(id);
  }
  AttachCheckList(Control(kInNameList));
}

void TRuruzOZOF::LayOutForDpi(int dpi) {
  ApplyDpi(dpi);
  const SIZE client = ClientSizeForDpi(dpi);
  const RECT outer = AroundClient({0, 0, client.cx, client.cy}, dpi);
  SetWindowPos(handle_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TRuruzOZOF::ApplyDpi(int dpi) {
  dpi_ = dpi;
  HFONT font = CreateFontW(Scale(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
  for (const ControlPlace& place : ControlLayout()) {
    HWND control = Control(place.id);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(control, nullptr, Scale(place.left, dpi), Scale(place.top, dpi),
                 Scale(place.width, dpi), Scale(place.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (font_ != nullptr) DeleteObject(font_);
  font_ = font;
  HWND list = Control(kInNameList);
  SendMessageW(list, LB_SETITEMHEIGHT, 0, CheckListRowHeight(list, font_));
  // The static texts size themselves to their text.
  for (const ControlId id : {kLabel1, kLabel2, kLabel3}) FitLabelToText(id);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TRuruzOZOF::FitLabelToText(ControlId id) {
  HWND label = Control(id);
  const std::wstring text = TextOf(label);
  if (text.empty()) return;
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, font_);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TRuruzOZOF::SetLabel3(const std::string& cp932Text) {
  SetWindowTextW(Control(kLabel3), Wide(cp932Text).c_str());
  FitLabelToText(kLabel3);
}

LRESULT CALLBACK TRuruzOZOF::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TRuruzOZOF*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->handle_ = window;
  }
  auto* self = reinterpret_cast<TRuruzOZOF*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  // What a handler throws is shown here, where the message is dispatched.
  if (!Dispatch([&] { result = self->Handle(message, wParam, lParam); })) {
    if (!self->running_) {
      EnableWindow(self->Control(kBExecute), TRUE);
      self->taskbar_.Clear();  // the error box has been read
    }
  }
  return result;
}

LRESULT TRuruzOZOF::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
          case kButton1:
            Button1Click();
            return 0;
          case kButton2:
            Button2Click();
            return 0;
          case kBExecute:
            bExecuteClick();
            return 0;
          case IDCANCEL:  // Esc, as the dialog manager passes it on
            if (running_) AskToStop(false);
            return 0;
          default:
            break;
        }
      }
      break;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
          CheckListRowHeight(Control(kInNameList), font_);
      return TRUE;
    case WM_DRAWITEM:
      DrawCheckListItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_VKEYTOITEM:
      if (LOWORD(wParam) != VK_DELETE) return -1;  // the list's own handling
      DeleteSelectedEntries();
      return -2;
    case WM_ACTIVATE:
      // The control that had the focus gets it back; at first, the list.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(handle_, focus)) focus_ = focus;
        break;
      }
      SetFocus(focus_ != nullptr && IsWindow(focus_) ? focus_ : Control(kInNameList));
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<RECT*>(lParam);
      SetWindowPos(handle_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DROPFILES: {
      HDROP drop = reinterpret_cast<HDROP>(wParam);
      std::vector<std::u16string> names;
      const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size()));
        name.resize(name.size() - 1);
        names.push_back(Utf16(name));
      }
      DragFinish(drop);
      DropFiles(names);
      return 0;
    }
    case WM_CLOSE:
      // During a run, the window closes once the run has stopped or ended.
      if (running_) {
        AskToStop(true);
      } else {
        PostQuitMessage(0);
      }
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        // The application's window carries the taskbar button.
        ShowWindow(handle_, SW_HIDE);
        ShowWindow(TApplication::Instance().Handle(), SW_MINIMIZE);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

void TRuruzOZOF::ShowCount() {
  SetLabel3(EntryCountText(entries_->Count()));
  SetWindowTextW(handle_, Wide(CaptionText(entries_->Count())).c_str());
}

void TRuruzOZOF::Button1Click() {
  const auto buffer = dialogs_->ChooseSources(TApplication::Instance().Handle(), openInitialName_);
  if (!buffer) return;
  const std::vector<std::u16string> names = SelectedFileNames(*buffer);
  if (names.empty()) return;
  openInitialName_ = names.front();
  std::vector<std::string> paths;
  for (const std::u16string& name : names) paths.push_back(PathFromText(name));
  entries_->Replace(paths);
  ShowCount();
}

void TRuruzOZOF::Button2Click() {
  const auto chosen = dialogs_->ChooseOutput(TApplication::Instance().Handle(), saveInitialName_);
  if (!chosen || chosen->empty()) return;
  saveInitialName_ = *chosen;
  SetWindowTextW(Control(kOutName), Wide(OutputNameFromChoice(*chosen)).c_str());
}

void TRuruzOZOF::bExecuteClick() {
  HWND list = Control(kInNameList);
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  if (count == 0) {
    ShowPlainMessage(u"入力フォルダーの指定がありません");
    return;
  }
  if (GetWindowTextLengthW(Control(kOutName)) == 0) {
    ShowPlainMessage(u"出力ファイル名の指定がありません");
    return;
  }
  // Execute is enabled again however the run ends, before an error is
  // shown, and gets back the focus that disabling it took.
  struct RunScope {
    TRuruzOZOF& window;
    HWND execute;
    bool hadFocus;
    explicit RunScope(TRuruzOZOF& w)
        : window(w), execute(w.Control(kBExecute)), hadFocus(GetFocus() == execute) {
      window.running_ = true;
      EnableWindow(execute, FALSE);
    }
    ~RunScope() {
      window.running_ = false;
      window.runEntries_.clear();
      EnableWindow(execute, TRUE);
      if (hadFocus) SetFocus(execute);
      // Red until the error box is closed; cleared at once after a run
      // that went through.
      if (std::uncaught_exceptions() > 0) {
        window.taskbar_.ShowError();
      } else {
        window.taskbar_.Clear();
      }
      window.taskbar_.FlashUnlessInFront(window.handle_);
    }
  } scope(*this);
  SetAllMarked(list, true);
  runCount_ = count;
  // The run's first turn comes with its first source, at once: the marks
  // show, and the window answers.
  lastTurn_ = std::chrono::steady_clock::now() - kTurnInterval;
  columnsDeclined_ = stopAsked_ = closeAfterRun_ = false;
  warnings_.clear();
  MergeOptions options;
  options.perLayer = SendMessageW(Control(kCPerLayer), BM_GETCHECK, 0, 0) == BST_CHECKED;
  options.lookAhead = true;
  options.mesh = MeshTiles::IfCodes;
  // Entries dropped during the run come in the next one.
  runEntries_.reserve(static_cast<std::size_t>(entries_->Count()));
  for (int i = 0; i < entries_->Count(); ++i) {
    runEntries_.push_back({entries_->IdAt(i), entries_->Parts(i)});
  }
  try {
    const RunReport run = RunMerge(*this, options);
    outputNotes_ = run.outputNotes;
    coverage_ = run.coverage;
  } catch (const EColumnsError&) {
    if (!columnsDeclined_) throw;  // declined at the question: nothing to tell
    warnings_.clear();
  } catch (const ERunStopped& stop) {
    warnings_.clear();
    if (!closeAfterRun_) {
      ShowPlainMessage(WithClosingPeriod(stop.Message()) + u"\r\n" +
                       WithClosingPeriod(OutputStateOf(stop)));
    }
  }
  ShowAfterRun();
}

// What waited for the run's end: its warnings, dropped names that were
// neither .mif files nor folders, a close asked for.
void TRuruzOZOF::ShowAfterRun() {
  if (closeAfterRun_) {
    PostQuitMessage(0);
    return;
  }
  for (const std::u16string& note : outputNotes_) ShowPlainMessage(note + u"。");
  outputNotes_.clear();
  if (!warnings_.empty()) ShowPlainMessage(WarningsText(warnings_));
  warnings_.clear();
  if (!skippedInRun_.empty()) ShowPlainMessage(SkippedNamesText(skippedInRun_));
  skippedInRun_.clear();
  if (coverage_ && !coverage_->Levels().empty()) OfferCoverage();  // not after all was withdrawn
  coverage_.reset();
}

void TRuruzOZOF::OfferCoverage() {
  const std::shared_ptr<const MeshCoverage> coverage = coverage_;
  if (!TApplication::Instance().AskYesNo(CoverageQuestionText(*coverage))) return;
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) {
    throw EWindowError(u"一時フォルダーの場所がわかりません");
  }
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t name[64];
  swprintf(name, 64, L"mifjoin-メッシュ-%04u%02u%02u-%02u%02u%02u.svg", now.wYear, now.wMonth,
           now.wDay, now.wHour, now.wMinute, now.wSecond);
  const std::wstring path = std::wstring(folder, length) + name;
  WriteCoveragePicture(*coverage, PathFromText(Utf16(path)));
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteW(handle_, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (opened <= 32) {
    throw EWindowError(u"図を開くことができません (.svg を開くプログラムがありません): " +
                       Utf16(path));
  }
}

void TRuruzOZOF::AskToStop(bool thenClose) {
  if (stopAsked_) {
    closeAfterRun_ = closeAfterRun_ || thenClose;
    return;
  }
  if (TApplication::Instance().AskYesNo(
          u"結合を中止しますか?\r\n"
          u"(はいを選ぶと次の入力の前で止め、書いている出力は以前のままにします)")) {
    stopAsked_ = true;
    closeAfterRun_ = thenClose;
  }
}

void TRuruzOZOF::StopIfAsked() const {
  if (stopAsked_) throw ERunStopped();
}

// During a run too: as with a selection, a change shows in the entries the
// run fetches after it.
void TRuruzOZOF::DropFiles(const std::vector<std::u16string>& names) {
  BusyCursor busy;
  const auto isFolder = [](const std::u16string& name) {
    const DWORD attributes = GetFileAttributesW(Wide(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  };
  const EntryNames entries = EntriesOfDroppedNames(names, isFolder, MifFilesIn);
  entries_->Append(entries.added, OutputIdentities());
  ShowCount();
  if (entries.skipped.empty()) return;
  if (running_) {
    skippedInRun_.insert(skippedInRun_.end(), entries.skipped.begin(), entries.skipped.end());
  } else {
    ShowPlainMessage(SkippedNamesText(entries.skipped));
  }
}

// The output pair the run would write, or with 「レイヤーごとに出力」 every
// .mif there now that a layer's output could be (結合_*.mif beside 結合, or
// every .mif in the folder of outputs), so that no output is merged again.
std::vector<FileIdentity> TRuruzOZOF::OutputIdentities() {
  std::vector<FileIdentity> identities;
  const std::string output = OutputName();
  if (output.empty()) return identities;
  std::vector<std::string> files;
  if (SendMessageW(Control(kCPerLayer), BM_GETCHECK, 0, 0) == BST_CHECKED) {
    const std::string any = LayerOutputName(output, "");  // 結合_.mif, out\.mif
    const std::string front = ExtractNamePart(ChangeFileExtension(any, ""));
    const std::string folder = ExtractDirectoryPart(any);
    PathList found;
    try {
      ExpandSource(folder.empty() ? "." : folder, false, found);
    } catch (const Exception&) {
      return identities;  // no folder there: no output either
    }
    for (std::size_t i = 0; i < found.Size(); ++i) {
      const std::string name = ExtractNamePart(found[i]);
      if (EqualsIgnoringAsciiCase(std::string_view(name).substr(0, front.size()), front)) {
        files.push_back(found[i]);
      }
    }
  } else {
    const OutputNames names = OutputPairNames(output);
    files = {names.mif, names.mid};
  }
  for (const std::string& file : files) {
    if (const std::optional<FileFacts> facts = StatFile(file))
      identities.push_back(facts->identity);
  }
  return identities;
}

void TRuruzOZOF::DeleteSelectedEntries() {
  if (entries_->RemoveSelected() > 0) ShowCount();
}

int TRuruzOZOF::SourceCount() { return static_cast<int>(runEntries_.size()); }

SourceParts TRuruzOZOF::Source(int index) { return RunEntryAt(index).parts; }

const TRuruzOZOF::RunEntry& TRuruzOZOF::RunEntryAt(int index) const {
  if (index < 0 || index >= static_cast<int>(runEntries_.size())) {
    throw ListIndexError(index);
  }
  return runEntries_[static_cast<std::size_t>(index)];
}

bool TRuruzOZOF::Withdrawn(int index) { return entries_->PlaceOf(RunEntryAt(index).id) < 0; }

void TRuruzOZOF::SourceStarting(int index) {
  taskbar_.Show(index, runCount_);
  HWND list = Control(kInNameList);
  const int place = entries_->PlaceOf(RunEntryAt(index).id);
  if (place >= 0) SetMarked(list, place, false);
  TApplication::Instance().ProcessPendingMessages();
  StopIfAsked();
  lastTurn_ = std::chrono::steady_clock::now();
  if (place < 0) return;
  if (const auto top = ScrollTopAfter(place)) {
    if (SendMessageW(list, LB_GETTOPINDEX, 0, 0) != *top) {
      SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(*top), 0);
    }
  }
}

std::string TRuruzOZOF::OutputName() { return PathFromText(Utf16(TextOf(Control(kOutName)))); }

bool TRuruzOZOF::Utf8Option() {
  return SendMessageW(Control(kCUtf8), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool TRuruzOZOF::MergeAllColumns(const EColumnsError& problem) {
  const bool all =
      TApplication::Instance().AskYesNo(problem.Message() +
                                        u"\r\n\r\nすべての列を名前で合わせて結合しますか?\r\n"
                                        u"(いいえを選ぶと、何も書かずに中止します)");
  columnsDeclined_ = !all;
  return all;
}

// The first pass reads every header before anything is written: the
// window answers meanwhile.
void TRuruzOZOF::SourceExamining(int) {
  TakeTurnNow();
  StopIfAsked();
}

// A duplicate is told as the run tells it: both files, and whether they
// are the same.
void TRuruzOZOF::Warning(int index, const SourceWarning& warning) {
  std::u16string file = warning.kind == WarningKind::Duplicate
                            ? warning.text
                            : PathDisplay(MifPath(RunEntryAt(index).parts));
  warnings_.push_back({warning.kind, std::move(file)});
}

// A long source gives the window a turn too, so it never stops answering.
void TRuruzOZOF::BytesMerged(std::uint64_t) { TakeTurnNow(); }

void TRuruzOZOF::TakeTurnNow() {
  const auto now = std::chrono::steady_clock::now();
  if (now - lastTurn_ < kTurnInterval) return;
  lastTurn_ = now;
  TApplication::Instance().ProcessPendingMessages();
}

}  // namespace mif
