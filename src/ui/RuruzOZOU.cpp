#include "ui/RuruzOZOU.h"

#include <shellapi.h>

#include <algorithm>
#include <exception>

#include "merge/MergeRun.h"
#include "platform/PathText.h"
#include "ui/CheckList.h"
#include "ui/DialogSelection.h"
#include "ui/PlainMessage.h"
#include "ui/RuruzOZO.h"
#include "ui/Wide.h"
#include "ui/WindowError.h"

namespace mif {

namespace {

constexpr int kLeft = 192, kTop = 114, kWidth = 627, kHeight = 533;  // at 96 dpi
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kFontHeight = -12;
constexpr auto kTurnInterval = std::chrono::milliseconds(100);

// The gaps in 参　照 and 実　行 are the ideographic space U+3000.
struct ControlKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
  const wchar_t* text;
};

ControlKind KindOf(ControlId id) {
  // Clipped by their siblings: cUTF8 covers Label3, as the layout has it.
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (id) {
    case kLabel1:
      return {L"STATIC", child | SS_LEFT | SS_NOPREFIX, 0, L"結合ファイル（作成ファイル）名"};
    case kLabel2:
      return {L"STATIC", child | SS_LEFT | SS_NOPREFIX, 0, L"結合元ファイル名"};
    case kLabel3:
      return {L"STATIC", child | SS_LEFT | SS_NOPREFIX, 0, L""};
    case kInNameList:
      return {L"LISTBOX",
              child | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                  LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
              WS_EX_CLIENTEDGE, L""};
    case kButton1:
    case kButton2:
      return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0, L"参\u3000照"};
    case kOutName:
      return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, L""};
    case kBExecute:
      return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0, L"実\u3000行"};
    case kCUtf8:
      return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0, L"UTF-8>SJIS変換"};
  }
  return {};
}

// The tab order: the list, Button1, Button2, outName, bExecute, cUTF8.
constexpr ControlId kTabOrder[] = {kInNameList, kButton1, kButton2, kOutName, kBExecute, kCUtf8};

int Scale(int value, int dpi) { return MulDiv(value, dpi, 96); }

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The window's rectangle around `client` at `dpi`: the frame as the
// system draws it at that dpi where it can say (Windows 10), else at the
// screen's.
RECT AroundClient(RECT client, int dpi) {
  static const auto adjust = reinterpret_cast<AdjustForDpiFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  if (adjust == nullptr || !adjust(&client, kStyle, FALSE, 0, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&client, kStyle, FALSE, 0);
  }
  return client;
}

// Per-monitor dpi where the system tells it (Windows 10), else the screen's.
int DpiOf(HWND window) {
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi != nullptr) {
    if (const UINT dpi = getDpi(window)) return static_cast<int>(dpi);
  }
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The .mif files directly inside a folder.
std::vector<std::u16string> MifFilesIn(const std::u16string& folder) {
  std::u16string pattern = folder;
  if (!pattern.empty() && pattern.back() != u'\\' && pattern.back() != u'/') pattern += u'\\';
  const std::u16string prefix = pattern;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(pattern + u"*.mif").c_str(), &found);
  std::vector<std::u16string> names;
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.push_back(prefix + Utf16(found.cFileName));
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace

const std::vector<ControlPlace>& ControlLayout() {
  static const std::vector<ControlPlace> layout = {
      {kLabel1, 16, 448, 154, 12},     {kLabel2, 16, 24, 89, 12},   {kLabel3, 384, 16, 4, 12},
      {kInNameList, 16, 40, 585, 393}, {kButton1, 152, 16, 75, 25}, {kButton2, 184, 440, 75, 25},
      {kOutName, 16, 464, 585, 20},    {kBExecute, 528, 8, 75, 25}, {kCUtf8, 376, 16, 121, 17},
  };
  return layout;
}

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
  handle_ =
      CreateWindowExW(0, kClassName, L"MIFデータを連結する", kStyle, kLeft, kTop, kWidth, kHeight,
                      application.Handle(), nullptr, application.ModuleInstance(), this);
  if (handle_ == nullptr) throw EWindowError(u"ウィンドウを作成できません");
  CreateControls();
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
  for (const ControlId id : kTabOrder) {
    SetWindowPos(Control(id), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = Control(id);
  }
  AttachCheckList(Control(kInNameList));
}

SIZE ClientSizeForDpi(int dpi) {
  const RECT frame = AroundClient({0, 0, 0, 0}, 96);
  return {Scale(kWidth - (frame.right - frame.left), dpi),
          Scale(kHeight - (frame.bottom - frame.top), dpi)};
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
      // The window stays until the loop ends: a run goes on to its end.
      PostQuitMessage(0);
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

void TRuruzOZOF::SetEntries(const std::vector<std::string>& paths, bool append) {
  HWND list = Control(kInNameList);
  if (!append) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    parts_.clear();
  }
  for (const std::string& path : paths) {
    if (!AddCheckListEntry(list, Wide(EntryText(path)))) throw EWindowError(u"行を挿入できません");
    parts_.push_back(MakeSourceParts(path));
  }
  SetLabel3(EntryCountText(static_cast<int>(parts_.size())));
}

void TRuruzOZOF::Button1Click() {
  const auto buffer = dialogs_->ChooseSources(TApplication::Instance().Handle(), openInitialName_);
  if (!buffer) return;
  const std::vector<std::u16string> names = SelectedFileNames(*buffer);
  if (names.empty()) return;
  openInitialName_ = names.front();
  std::vector<std::string> paths;
  for (const std::u16string& name : names) paths.push_back(PathFromText(name));
  SetEntries(paths, false);
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
  columnsDeclined_ = false;
  try {
    RunMerge(*this);
  } catch (const EColumnsError&) {
    if (!columnsDeclined_) throw;  // declined at the question: nothing to tell
  }
}

// During a run too: as with a selection, a change shows in the entries the
// run fetches after it.
void TRuruzOZOF::DropFiles(const std::vector<std::u16string>& names) {
  const auto isFolder = [](const std::u16string& name) {
    const DWORD attributes = GetFileAttributesW(Wide(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  };
  const EntryNames entries = EntriesOfDroppedNames(names, isFolder, MifFilesIn);
  SetEntries(entries.added, true);
  if (!entries.skipped.empty()) ShowPlainMessage(SkippedNamesText(entries.skipped));
}

int TRuruzOZOF::SourceCount() {
  return static_cast<int>(SendMessageW(Control(kInNameList), LB_GETCOUNT, 0, 0));
}

SourceParts TRuruzOZOF::Source(int index) {
  if (index < 0 || index >= static_cast<int>(parts_.size())) {
    throw EWindowError(u"リストのインデックスが範囲を超えています (" +
                       Utf16(std::to_wstring(index)) + u")");
  }
  return parts_[static_cast<std::size_t>(index)];
}

void TRuruzOZOF::SourceStarting(int index) {
  taskbar_.Show(index, runCount_);
  HWND list = Control(kInNameList);
  SetMarked(list, index, false);
  TApplication::Instance().ProcessPendingMessages();
  lastTurn_ = std::chrono::steady_clock::now();
  if (const auto top = ScrollTopAfter(index)) {
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
void TRuruzOZOF::SourceExamining(int) { TakeTurnNow(); }

// A long source gives the window a turn too, so it never stops answering.
void TRuruzOZOF::BytesMerged(std::uint64_t) { TakeTurnNow(); }

void TRuruzOZOF::TakeTurnNow() {
  const auto now = std::chrono::steady_clock::now();
  if (now - lastTurn_ < kTurnInterval) return;
  lastTurn_ = now;
  TApplication::Instance().ProcessPendingMessages();
}

}  // namespace mif
