// The real window under Windows or Wine, driven by messages: clicks by
// BM_CLICK, text by WM_SETTEXT, marks and scrolling read back from the
// list. Dialogs come from a fake; boxes are met in their modal loops by a
// CBT hook, and a box that no test expects fails the test and is closed.
#include <windows.h>
// After windows.h, which they need.
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <iostream>
#include <sstream>
#include <thread>

#include "ScratchDir.h"
#include "cli/Mifjoin.h"
#include "file/FileName.h"
#include "text/Cp932.h"
#include "ui/CheckList.h"
#include "ui/PlainMessage.h"
#include "ui/RuruzOZO.h"
#include "ui/RuruzOZOU.h"
#include "ui/Wide.h"

namespace mif {
namespace {

HDROP DropOf(const std::vector<std::wstring>& names);

using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

const std::string kHeader = "Version 300\r\nColumns 1\r\n  ID Integer\r\nData\r\n";

// Selections the test supplies in place of the dialogs.
struct FakeDialogs final : FileDialogs {
  std::deque<std::optional<std::u16string>> sources, outputs;
  std::optional<std::u16string> ChooseSources(HWND, const std::u16string&) override {
    auto next = sources.front();
    sources.pop_front();
    return next;
  }
  std::optional<std::u16string> ChooseOutput(HWND, const std::u16string&) override {
    auto next = outputs.front();
    outputs.pop_front();
    return next;
  }
};

// A box as the hook meets it: its window, caption and text.
struct Box {
  HWND window;
  std::wstring className, caption, text;
};
using BoxHandler = std::function<void(const Box&)>;

std::deque<BoxHandler> expectedBoxes;
std::vector<std::wstring> unexpectedBoxes;
HHOOK hook = nullptr;

std::wstring TextOf(HWND window) {
  wchar_t text[4096];
  const int length = GetWindowTextW(window, text, 4096);
  return std::wstring(text, static_cast<std::size_t>(length));
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM longest) {
  wchar_t className[32];
  GetClassNameW(child, className, 32);
  auto* text = reinterpret_cast<std::wstring*>(longest);
  const std::wstring childText = TextOf(child);
  if (lstrcmpiW(className, L"Static") == 0 && childText.size() > text->size()) *text = childText;
  return TRUE;
}

void CloseBox(const Box& box) {
  if (box.className == kPlainMessageClass) {
    PostMessageW(GetDlgItem(box.window, IDOK), WM_KEYDOWN, VK_RETURN, 0);
  } else {
    PostMessageW(box.window, WM_COMMAND, IDOK, 0);
  }
}

LRESULT CALLBACK MeetBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    wchar_t className[64];
    GetClassNameW(window, className, 64);
    if (lstrcmpW(className, L"#32770") == 0 || lstrcmpW(className, kPlainMessageClass) == 0) {
      Box box{window, className, TextOf(window), L""};
      EnumChildWindows(window, LongestStatic, reinterpret_cast<LPARAM>(&box.text));
      if (expectedBoxes.empty()) {
        unexpectedBoxes.push_back(box.text);
        CloseBox(box);
      } else {
        BoxHandler handler = std::move(expectedBoxes.front());
        expectedBoxes.pop_front();
        handler(box);
      }
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

// Every LB_SETITEMDATA and LB_SETTOPINDEX the window sends its list.
struct ListLog {
  std::vector<std::pair<int, int>> marks;  // index, mark
  std::vector<int> tops;                   // index asked for
  std::vector<int> topsAfter;              // the list's top row then
};
ListLog listLog;
WNDPROC listProc = nullptr;

LRESULT CALLBACK LogList(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(listProc, list, message, wParam, lParam);
  if (message == LB_SETITEMDATA)
    listLog.marks.emplace_back(static_cast<int>(wParam), static_cast<int>(lParam));
  if (message == LB_SETTOPINDEX) {
    listLog.tops.push_back(static_cast<int>(wParam));
    listLog.topsAfter.push_back(
        static_cast<int>(CallWindowProcW(listProc, list, LB_GETTOPINDEX, 0, 0)));
  }
  return result;
}

class Gui : public ::testing::Test {
 protected:
  void SetUp() override {
    application = std::make_unique<TApplication>(GetModuleHandleW(nullptr));
    application->SetTitle(EncodeCp932(TApplication::kTitle));
    auto fake = std::make_unique<FakeDialogs>();
    dialogs = fake.get();
    window = std::make_unique<TRuruzOZOF>(std::move(fake));
    ShowWindow(window->Handle(), SW_SHOWNORMAL);
    hook = SetWindowsHookExW(WH_CBT, MeetBoxes, nullptr, GetCurrentThreadId());
    listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(List(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LogList)));
    listLog = {};
    unexpectedBoxes.clear();
    expectedBoxes.clear();
  }
  void TearDown() override {
    EXPECT_TRUE(unexpectedBoxes.empty())
        << "a box nobody expected: " << Narrow(unexpectedBoxes.front());
    EXPECT_TRUE(expectedBoxes.empty()) << expectedBoxes.size() << " expected boxes never came";
    UnhookWindowsHookEx(hook);
    window.reset();
    application.reset();
  }

  HWND List() const { return window->Control(kInNameList); }
  void Click(ControlId id) { SendMessageW(window->Control(id), BM_CLICK, 0, 0); }
  void SetText(ControlId id, const std::wstring& text) {
    SendMessageW(window->Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  std::wstring Text(ControlId id) const { return TextOf(window->Control(id)); }
  int Count() const { return static_cast<int>(SendMessageW(List(), LB_GETCOUNT, 0, 0)); }
  std::wstring Entry(int i) const {
    std::wstring text(SendMessageW(List(), LB_GETTEXTLEN, i, 0) + 1, L'\0');
    SendMessageW(List(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.size() - 1);
    return text;
  }
  // A box with this text is expected next; it is closed with OK.
  void ExpectBox(const std::wstring& text, std::function<void(const Box&)> more = {}) {
    expectedBoxes.push_back([text, more](const Box& box) {
      EXPECT_EQ(Narrow(box.text), Narrow(text));
      EXPECT_EQ(box.caption, Wide(std::u16string(TApplication::kTitle)));
      if (more) more(box);
      CloseBox(box);
    });
  }
  // The question × and Esc ask during a run, answered with `button`.
  void ExpectStopQuestion(WPARAM button) {
    ExpectBox(
        L"結合を中止しますか?\r\n"
        L"(はいを選ぶと次の入力の前で止め、書いている出力は以前のままにします)",
        [button](const Box& box) { PostMessageW(box.window, WM_COMMAND, button, 0); });
  }
  // A box whose text starts so is expected next, answered with `button`.
  void ExpectBoxStarting(const std::wstring& start, WPARAM button) {
    expectedBoxes.push_back([start, button](const Box& box) {
      EXPECT_EQ(Narrow(box.text.substr(0, start.size())), Narrow(start));
      PostMessageW(box.window, WM_COMMAND, button, 0);
    });
  }
  // The question after a run of mesh tiles, whose counts start so.
  void ExpectCoverageQuestion(const std::wstring& counts, WPARAM button) {
    ExpectBox(counts +
                  L"\r\n\r\nメッシュの有無を図で見ますか?\r\n"
                  L"(はいを選ぶと、図を一時フォルダーに書いてブラウザーで開きます)",
              [button](const Box& box) { PostMessageW(box.window, WM_COMMAND, button, 0); });
  }
  // Drops these paths on the window, as Explorer would.
  void Drop(const std::vector<std::string>& paths) {
    std::vector<std::wstring> names;
    for (const std::string& path : paths) names.push_back(testing::Utf8Path(path).wstring());
    SendMessageW(window->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(names)), 0);
  }
  // Selects files of `dir` by name through the fake open dialog.
  void Select(const ScratchDir& dir, const std::vector<std::string>& names) {
    std::u16string buffer = Utf16(testing::Utf8Path(dir.Folder()).wstring());
    if (!buffer.empty() && buffer.back() == u'\\') buffer.pop_back();
    buffer += u'\0';
    for (const std::string& name : names) {
      buffer += Utf16(testing::Utf8Path(name).wstring()) + u'\0';
    }
    dialogs->sources.push_back(buffer + u'\0');
    Click(kButton1);
  }
  void Pair(const ScratchDir& dir, const std::string& base, int rows = 1) {
    std::string mif = kHeader, mid;
    for (int i = 0; i < rows; ++i) {
      mif += "Point 139.77 35.68\r\n";  // in 53394611, for the tiles named so
      mid += std::to_string(i) + "\r\n";
    }
    WriteBytes(dir.File(base + ".mif"), mif);
    WriteBytes(dir.File(base + ".mid"), mid);
  }

  std::unique_ptr<TApplication> application;
  std::unique_ptr<TRuruzOZOF> window;
  FakeDialogs* dialogs = nullptr;
};

TEST_F(Gui, TheWindowAndItsControlsAsTheLayoutGivesThem) {
  EXPECT_EQ(TextOf(window->Handle()), L"MIFデータを連結する");
  EXPECT_EQ(GetWindow(window->Handle(), GW_OWNER), application->Handle());
  EXPECT_EQ(Narrow(TextOf(application->Handle())), EncodeCp932(TApplication::kTitle));
  EXPECT_EQ(Text(kButton1), L"参\u3000照");
  EXPECT_EQ(Text(kBExecute), L"実\u3000行");
  EXPECT_EQ(Text(kCUtf8), L"UTF-8>SJIS変換");
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(List(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"ＭＳ Ｐゴシック");
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
  for (int dpi : {96, 120, 144, 192}) {
    // The window's own size is checked at each screen's dpi (the test
    // below): here, on a screen of 96, it may not fit.
    window->LayOutForDpi(dpi);
    for (const ControlPlace& place : ControlLayout()) {
      RECT rect;
      GetWindowRect(window->Control(place.id), &rect);
      MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&rect), 2);
      EXPECT_EQ(rect.left, MulDiv(place.left, dpi, 96)) << place.id << " at " << dpi;
      EXPECT_EQ(rect.top, MulDiv(place.top, dpi, 96)) << place.id << " at " << dpi;
      if (place.id >= kInNameList) {  // the static texts size themselves to their text
        EXPECT_EQ(rect.right - rect.left, MulDiv(place.width, dpi, 96)) << place.id;
        EXPECT_EQ(rect.bottom - rect.top, MulDiv(place.height, dpi, 96)) << place.id;
      }
    }
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(List(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, MulDiv(-12, dpi, 96));
  }
  window->LayOutForDpi(96);
  // The tab order follows the layout's: the list first, cUTF8 last.
  HWND next = GetNextDlgTabItem(window->Handle(), List(), FALSE);
  EXPECT_EQ(next, window->Control(kButton1));
  // The per-layer box comes after the output's 参照.
  next = GetNextDlgTabItem(window->Handle(), window->Control(kButton2), FALSE);
  EXPECT_EQ(next, window->Control(kCPerLayer));
  EXPECT_EQ(Text(kCPerLayer), L"レイヤーごとに出力");
}

// Run at each screen dpi too: the caption (the application's title) is
// wider than a short text.
TEST_F(Gui, ThePlainBoxShowsItsWholeCaption) {
  expectedBoxes.push_back([](const Box& box) {
    RECT client;
    GetClientRect(box.window, &client);
    EXPECT_GE(client.right, PlainBoxCaptionWidth(box.caption));
    CloseBox(box);
  });
  ShowPlainMessage(u"短い");
}

// Run at each screen dpi by scripts/test-windows (Wine's LogPixels): the
// window as it is made there holds every control.
TEST_F(Gui, TheWholeWindowAtTheScreensDpi) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  ::testing::Test::RecordProperty("dpi", dpi);
  RECT client, outer;
  GetClientRect(window->Handle(), &client);
  GetWindowRect(window->Handle(), &outer);
  const SIZE wanted = ClientSizeForDpi(dpi);
  EXPECT_EQ(client.right, wanted.cx) << "at " << dpi << " dpi";
  EXPECT_EQ(client.bottom, wanted.cy) << "at " << dpi << " dpi";
  EXPECT_EQ(outer.left, 192);
  EXPECT_EQ(outer.top, 114);
  if (dpi == 96) {
    EXPECT_EQ(outer.right - outer.left, 627);
    EXPECT_EQ(outer.bottom - outer.top, 533);
  }
  for (const ControlPlace& place : ControlLayout()) {
    RECT rect;
    GetWindowRect(window->Control(place.id), &rect);
    MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_LE(rect.right, client.right - MulDiv(14, dpi, 96)) << place.id << " at " << dpi;
    EXPECT_LE(rect.bottom, client.bottom - MulDiv(14, dpi, 96)) << place.id << " at " << dpi;
    EXPECT_EQ(rect.left, MulDiv(place.left, dpi, 96)) << place.id << " at " << dpi;
  }
}

TEST_F(Gui, TheTwoInputMessagesComeInTheirOrder) {
  ExpectBox(L"入力フォルダーの指定がありません");  // only this one, the output being empty too
  Click(kBExecute);
  ScratchDir dir;
  Pair(dir, "1__A");
  Select(dir, {"1__A.mif"});
  ExpectBox(L"出力ファイル名の指定がありません");
  Click(kBExecute);
  EXPECT_TRUE(IsWindowEnabled(window->Control(kBExecute)));
}

TEST_F(Gui, ASelectionGivesEntriesAndTheCountACancelKeepsThem) {
  ScratchDir dir;
  Select(dir, {"b.mif", "t.1.mif"});
  ASSERT_EQ(Count(), 2);
  const std::wstring folder = testing::Utf8Path(dir.Folder()).wstring();
  EXPECT_EQ(Entry(0), L"b," + folder);
  EXPECT_EQ(Entry(1), L"t.1," + folder);
  EXPECT_EQ(Text(kLabel3), L"2数");
  EXPECT_FALSE(IsMarked(List(), 0));
  dialogs->sources.push_back(std::nullopt);  // cancelled
  Click(kButton1);
  EXPECT_EQ(Count(), 2);
  dialogs->outputs.push_back(u"D:\\x\\out.txt");
  Click(kButton2);
  EXPECT_EQ(Text(kOutName), L"D:\\x\\out.mif");
  dialogs->outputs.push_back(std::nullopt);
  Click(kButton2);
  EXPECT_EQ(Text(kOutName), L"D:\\x\\out.mif");
  // A name code page 932 cannot hold is a file like any other.
  Select(dir, {"café.mif"});
  ASSERT_EQ(Count(), 1);
  EXPECT_EQ(Entry(0), L"café," + folder);
}

TEST_F(Gui, ARunWritesWhatMifjoinWritesAndMarksTheProgress) {
  ScratchDir dir;
  const std::vector<std::string> bases = {"53394611__ROAD", "53394612__RIVER", "53394613__BLDG"};
  for (const std::string& base : bases) {
    for (const char* extension : {".mif", ".mid"}) {
      const std::string sample = std::string(MIF_SAMPLES_DIR) + "/" + base + extension;
      WriteBytes(dir.File(base + extension), ReadBytes(sample));
    }
  }
  Select(dir, {bases[0] + ".mif", bases[1] + ".mif", bases[2] + ".mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("gui")).wstring());
  // Tiles named by mesh codes: their coverage is offered, and declined.
  ExpectCoverageQuestion(
      L"メッシュ: 3次メッシュ 3 タイル (3 レイヤー)\r\n穴 0、メッシュ外 0、重複 0", IDNO);
  Click(kBExecute);
  std::ostringstream out, err;
  ASSERT_EQ(RunMifjoin({"-q", "-o", dir.File("cli"), dir.File(bases[0] + ".mif"),
                        dir.File(bases[1] + ".mif"), dir.File(bases[2] + ".mif")},
                       out, err, {}),
            0);
  EXPECT_EQ(ReadBytes(dir.File("gui.mif")), ReadBytes(dir.File("cli.mif")));
  EXPECT_EQ(ReadBytes(dir.File("gui.mid")), ReadBytes(dir.File("cli.mid")));
  // Every entry marked first to last, then each cleared as its source starts.
  const std::vector<std::pair<int, int>> marks = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1},
                                                  {2, 1}, {0, 0}, {1, 0}, {2, 0}};
  EXPECT_EQ(listLog.marks, marks);
  EXPECT_TRUE(IsWindowEnabled(window->Control(kBExecute)));
}

TEST_F(Gui, FortyFiveEntriesScrollToTopRows9And29) {
  ScratchDir dir;
  std::vector<std::string> names;
  for (int i = 0; i < 45; ++i) {
    const std::string base = "s" + std::to_string(100 + i);
    Pair(dir, base);
    names.push_back(base + ".mif");
  }
  Select(dir, names);
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  Click(kBExecute);
  EXPECT_EQ(listLog.tops, std::vector<int>({9, 29}));
  EXPECT_EQ(listLog.topsAfter.front(), 9);
  for (int i = 0; i < 45; ++i) EXPECT_FALSE(IsMarked(List(), i)) << i;
}

TEST_F(Gui, AnErrorShowsTheBoxWithItsPeriodAndLeavesExecuteEnabled) {
  ScratchDir dir;
  Pair(dir, "1__A");
  WriteBytes(dir.File("2__B.mif"), kHeader + "Point 1 1\r\n");  // no .mid
  Pair(dir, "3__C");
  Select(dir, {"1__A.mif", "2__B.mif", "3__C.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  const std::wstring mid = testing::Utf8Path(dir.File("2__B.mid")).wstring();
  // Found before anything is written: no source started, no output made.
  ExpectBox(L"ファイルが見つかりません (コード 2): 名前と場所を確かめてください.\r\n" + mid +
            L" (入力 2/3)\r\n出力は書いていません.");
  Click(kBExecute);
  EXPECT_TRUE(IsWindowEnabled(window->Control(kBExecute)));
  EXPECT_TRUE(IsMarked(List(), 0));
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("out.mid"))));
  // Rows that do not pair up are found as the source is copied.
  WriteBytes(dir.File("2__B.mid"), "0\r\n1\r\n");
  ExpectBox(testing::Utf8Path("オブジェクトの数と属性の行数が合いません: " + dir.File("2__B.mif") +
                              " は 1 個、" + dir.File("2__B.mid") + " は 2 行.")
                .wstring() +
            L"\r\n(入力 2/3)\r\n出力 " + testing::Utf8Path(dir.File("out.mif")).wstring() +
            L" には入力 1〜1 (3 個中) を書きました.");
  Click(kBExecute);
  EXPECT_FALSE(IsMarked(List(), 1));  // where the run stopped
  EXPECT_TRUE(IsMarked(List(), 2));
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"A\"\t0\r\n");
}

TEST_F(Gui, AnErrorAboutTheOutputNamesNoSourcesPlace) {
  ScratchDir dir;
  Pair(dir, "1__A");
  Select(dir, {"1__A.mif"});
  const std::string output = dir.File("no\\such\\out.mif");
  SetText(kOutName, testing::Utf8Path(output).wstring());
  // The path on a line of its own: no "." turns out.mif into out.mif.
  ExpectBox(testing::Utf8Path("出力ファイルのフォルダーがありません.\r\n" + output +
                              "\r\n出力は書いていません.")
                .wstring());
  Click(kBExecute);
}

TEST_F(Gui, AfterEachBoxTheWindowIsActiveWithTheFocusWhereItWas) {
  EXPECT_EQ(GetActiveWindow(), window->Handle());
  EXPECT_EQ(GetFocus(), List());  // the first control in tab order
  HWND outName = window->Control(kOutName);
  SetFocus(outName);
  const auto disabled = [&](const Box&) { EXPECT_FALSE(IsWindowEnabled(window->Handle())); };
  ExpectBox(L"入力フォルダーの指定がありません", disabled);  // the plain box
  window->bExecuteClick();  // as Enter on a button would, without taking the focus
  EXPECT_EQ(GetActiveWindow(), window->Handle());
  EXPECT_EQ(GetFocus(), outName);
  ScratchDir dir;
  WriteBytes(dir.File("1__A.mif"), kHeader + "Point 1 1\r\n");  // no .mid: the error box
  Select(dir, {"1__A.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  SetFocus(window->Control(kBExecute));  // which the run disables and enables again
  ExpectBox(L"ファイルが見つかりません (コード 2): 名前と場所を確かめてください.\r\n" +
                testing::Utf8Path(dir.File("1__A.mid")).wstring() +
                L" (入力 1/1)\r\n出力は書いていません.",
            disabled);
  Click(kBExecute);
  EXPECT_TRUE(IsWindowEnabled(window->Handle()));
  EXPECT_EQ(GetActiveWindow(), window->Handle());
  EXPECT_EQ(GetFocus(), window->Control(kBExecute));
}

// Columns that the first source's do not take: the window asks whether to
// merge all columns together.
TEST_F(Gui, OtherColumnsAskWhetherToMergeAllColumnsTogether) {
  ScratchDir dir;
  Pair(dir, "1__A");
  WriteBytes(dir.File("2__B.mif"),
             "Version 300\r\nColumns 1\r\n  KIND Char(4)\r\nData\r\n"
             "Point 2 2\r\n");
  WriteBytes(dir.File("2__B.mid"), "\"road\"\r\n");
  Select(dir, {"1__A.mif", "2__B.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  const std::wstring question =
      testing::Utf8Path("列 KIND (KIND Char(4)) が最初の入力ファイル " + dir.File("1__A.mif") +
                        " にありません: " + dir.File("2__B.mif"))
          .wstring() +
      L"\r\n\r\nすべての列を名前で合わせて結合しますか?\r\n"
      L"(いいえを選ぶと、何も書かずに中止します)";
  const auto answer = [](WPARAM button) {
    return [button](const Box& box) { PostMessageW(box.window, WM_COMMAND, button, 0); };
  };
  ExpectBox(question, answer(IDNO));  // stops, and no error box follows
  Click(kBExecute);
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("out.mid"))));
  EXPECT_TRUE(IsWindowEnabled(window->Control(kBExecute)));
  EXPECT_EQ(GetActiveWindow(), window->Handle());
  EXPECT_EQ(GetFocus(), window->Control(kBExecute));
  ExpectBox(question, answer(IDYES));
  Click(kBExecute);
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"A\"\t0\t\r\n\"B\"\t\t\"road\"\r\n");
}

// What a drag source hands the window: the names, wide, in a DROPFILES.
HDROP DropOf(const std::vector<std::wstring>& names) {
  std::wstring files;
  for (const std::wstring& name : names) files += name + L'\0';
  files += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + files.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, files.data(), files.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// Per layer, the window writes what mifjoin --per-layer writes, which
// scripts/test-windows then reads with GDAL (MIF_READER_DIR).
TEST_F(Gui, APerLayerRunWritesWhatMifjoinWrites) {
  ScratchDir dir;
  std::vector<std::string> names, paths;
  for (const char* base : {"53394611__ROAD", "53394612__RIVER", "53394613__BLDG"}) {
    for (const char* tile : {"53394611", "53394622"}) {
      const std::string name = std::string(tile) + std::string(base).substr(8);
      for (const char* extension : {".mif", ".mid"}) {
        WriteBytes(dir.File(name + extension),
                   ReadBytes(std::string(MIF_SAMPLES_DIR) + "/" + base + extension));
      }
      names.push_back(name + ".mif");
      paths.push_back(dir.File(name + ".mif"));
    }
  }
  Select(dir, names);
  SetText(kOutName, testing::Utf8Path(dir.File("gui.mif")).wstring());
  Click(kCPerLayer);
  // Each sample but ROAD's 53394611 lies in another mesh than its name's.
  ExpectBoxStarting(L"結合しましたが、警告が 5 件あります:", IDOK);
  ExpectCoverageQuestion(
      L"メッシュ: 3次メッシュ 2 タイル (3 レイヤー)\r\n穴 0、メッシュ外 5、重複 0", IDNO);
  Click(kBExecute);
  std::vector<std::string> arguments = {"-q", "--per-layer", "-o", dir.File("cli")};
  arguments.insert(arguments.end(), paths.begin(), paths.end());
  std::ostringstream out, err;
  ASSERT_EQ(RunMifjoin(arguments, out, err, {}), 0) << err.str();
  const char* keep = std::getenv("MIF_READER_DIR");
  for (const char* layer : {"ROAD", "RIVER", "BLDG"}) {
    for (const char* extension : {".mif", ".mid"}) {
      const std::string gui = dir.File(std::string("gui_") + layer + extension);
      EXPECT_EQ(ReadBytes(gui), ReadBytes(dir.File(std::string("cli_") + layer + extension)));
      if (keep != nullptr) WriteBytes(std::string(keep) + "\\" + layer + extension, ReadBytes(gui));
    }
  }
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("gui.mif"))));
}

// A Delete during a run, plain and per layer, of 2,000 tiles of four
// layers: once tile 1,000 is merged, the first hundred entries (merged
// already) and a hundred later ones (not yet) are deleted from another
// thread, as a user's Delete comes at a turn of the run. The deleted
// entries not merged yet are left out; every entry still listed is
// merged, none shifted; the run ends without a box. With MIF_READER_DIR
// the outputs and the IDs each must hold go there, for ogrinfo.
TEST_F(Gui, ADeleteDuringARunLeavesOutTheDeletedEntriesNotMergedYet) {
  ScratchDir dir;
  constexpr int kTiles = 2000;
  std::vector<std::string> names;
  for (int i = 0; i < kTiles; ++i) {
    const std::string base = std::to_string(53390000 + i) + "__L" + std::to_string(i % 4);
    WriteBytes(dir.File(base + ".mif"), kHeader + "Point 1 1\r\n");
    WriteBytes(dir.File(base + ".mid"), std::to_string(i) + "\r\n");
    names.push_back(base + ".mif");
  }
  const auto deleted = [](int i) { return i < 100 || (i >= 1500 && i < 1600); };
  const char* keep = std::getenv("MIF_READER_DIR");
  for (const bool perLayer : {false, true}) {
    Select(dir, names);
    if (perLayer) Click(kCPerLayer);
    const std::string output = dir.File(perLayer ? "layers" : "plain");
    SetText(kOutName, testing::Utf8Path(output).wstring());
    std::thread user([list = List()] {
      // Each message waits for a turn of the run, which comes at each source.
      while (SendMessageW(list, LB_GETITEMDATA, 1000, 0) != 0) Sleep(1);
      SendMessageW(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 99));
      SendMessageW(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(1500, 1599));
      SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);
    });
    Click(kBExecute);
    user.join();
    EXPECT_EQ(Count(), kTiles - 200);
    for (int layer = 0; layer < (perLayer ? 4 : 1); ++layer) {
      const std::string name = perLayer ? output + "_L" + std::to_string(layer) : output;
      std::string rows, ids;
      // Tile 1,000 is a tile of L0, merged first: L0's first hundred were
      // merged before the Delete, the other layers' were not.
      for (int i = 0; i < kTiles; ++i) {
        if (perLayer && i % 4 != layer) continue;
        const bool merged = i < 100 && (!perLayer || layer == 0);
        if (deleted(i) && !merged) continue;
        rows += "\"L" + std::to_string(i % 4) + "\"\t" + std::to_string(i) + "\r\n";
        ids += std::to_string(i) + "\n";
      }
      EXPECT_EQ(ReadBytes(name + ".mid"), rows) << name;
      if (keep != nullptr) {
        const std::string kept = std::string(keep) + "\\" + ExtractNamePart(name);
        WriteBytes(kept + ".mif", ReadBytes(name + ".mif"));
        WriteBytes(kept + ".mid", ReadBytes(name + ".mid"));
        WriteBytes(kept + ".ids", ids);
      }
    }
    if (perLayer) Click(kCPerLayer);
  }
}

// A folder brings its .mif files, then its subfolders' (mifjoin -r's
// order); a file listed already, by whatever name, is not added again, nor
// is the output pair when a folder brings it.
TEST_F(Gui, DropsAddEachFileOnceWithTheFoldersSubfolders) {
  ScratchDir dir;
  Pair(dir, "1__A");
  std::filesystem::create_directories(testing::Utf8Path(dir.File("sub\\deeper")));
  WriteBytes(dir.File("sub\\b.mif"), "");
  WriteBytes(dir.File("sub\\a.MIF"), "");
  WriteBytes(dir.File("sub\\deeper\\c.mif"), "");
  WriteBytes(dir.File("sub\\out.mif"), "");
  WriteBytes(dir.File("sub\\out.mid"), "");
  WriteBytes(dir.File("sub\\note.txt"), "");
  WriteBytes(dir.File("x.txt"), "");
  Select(dir, {"1__A.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("sub\\out.mif")).wstring());
  ExpectBox(L"次のファイルは .mif ファイルでもフォルダーでもないため追加しませんでした:\r\n" +
            testing::Utf8Path(dir.File("x.txt")).wstring());
  Drop({dir.File("1__A.mif"), dir.File("sub"), dir.File("x.txt"), dir.File("sub")});
  ASSERT_EQ(Count(), 4);
  const std::wstring sub = testing::Utf8Path(dir.File("sub")).wstring() + L"\\";
  EXPECT_EQ(Entry(1), L"a," + sub);  // a.MIF before b.mif: name order
  EXPECT_EQ(Entry(2), L"b," + sub);
  EXPECT_EQ(Entry(3), L"c," + sub + L"deeper\\");
  EXPECT_EQ(Text(kLabel3), L"4数");
  EXPECT_EQ(TextOf(window->Handle()), L"MIFデータを連結する - 4 ファイル");
  // Another spelling of a listed file is the same file.
  Drop({dir.File("SUB\\..\\1__a.MIF")});
  EXPECT_EQ(Count(), 4);
  // The output dropped by itself is added, as asked.
  Drop({dir.File("sub\\out.mif")});
  EXPECT_EQ(Count(), 5);
}

// With 「レイヤーごとに出力」 ticked, a folder drop leaves out every output a
// layer's run writes: 結合_*.mif beside 結合, every .mif in a folder of
// outputs; the next run would refuse them as sources.
TEST_F(Gui, AFolderDropLeavesOutThePerLayerOutputs) {
  ScratchDir dir;
  std::filesystem::create_directories(testing::Utf8Path(dir.File("out")));
  for (const char* base : {"1__A", "1__B", "結合_A", "結合_B", "out\\A", "out\\B"}) Pair(dir, base);
  Click(kCPerLayer);
  struct Case {
    const char* output;
    const wchar_t* leftOut;  // in every entry left out, none listed
  };
  for (const Case& run : {Case{"out\\", L"out\\"}, Case{"結合", L"結合_"}}) {
    Select(dir, {"1__A.mif"});
    SetText(kOutName, testing::Utf8Path(dir.File(run.output)).wstring());
    Drop({dir.Folder()});
    EXPECT_EQ(Count(), 4) << run.output;
    for (int i = 0; i < Count(); ++i) {
      EXPECT_EQ(Entry(i).find(run.leftOut), std::wstring::npos) << Narrow(Entry(i));
    }
  }
  Click(kCPerLayer);
}

// Printed, not asserted: a folder per first-order mesh, 2,000 tiles.
TEST_F(Gui, AFolderOf2000TilesIsTakenInOneDrop) {
  ScratchDir dir;
  for (int mesh = 0; mesh < 4; ++mesh) {
    const std::string folder = dir.File("533" + std::to_string(9 + mesh));
    std::filesystem::create_directory(testing::Utf8Path(folder));
    for (int tile = 0; tile < 500; ++tile) {
      const std::string base = folder + "\\" + std::to_string(53390000 + mesh * 1000 + tile);
      WriteBytes(base + "__ROAD.mif", kHeader);
      WriteBytes(base + "__ROAD.mid", "");
    }
  }
  const auto start = std::chrono::steady_clock::now();
  Drop({dir.Folder()});
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << "[ drop     ] 2,000 tiles in " << seconds << " s\n";
  RecordProperty("seconds", std::to_string(seconds));
  EXPECT_EQ(Count(), 2000);
  EXPECT_EQ(TextOf(window->Handle()), L"MIFデータを連結する - 2,000 ファイル");
  Drop({dir.Folder()});  // the same tiles again: none added
  EXPECT_EQ(Count(), 2000);
}

// Delete takes out the selected entries, several at once; a run then
// merges those left.
TEST_F(Gui, DeleteTakesOutTheSelectedEntries) {
  ScratchDir dir;
  for (const char* base : {"1__A", "2__B", "3__C", "4__D"}) Pair(dir, base);
  Select(dir, {"1__A.mif", "2__B.mif", "3__C.mif", "4__D.mif"});
  SendMessageW(List(), LB_SETSEL, TRUE, 1);
  SendMessageW(List(), LB_SETSEL, TRUE, 2);
  SendMessageW(List(), WM_KEYDOWN, VK_DELETE, 0);
  ASSERT_EQ(Count(), 2);
  const std::wstring folder = testing::Utf8Path(dir.Folder()).wstring();
  EXPECT_EQ(Entry(0), L"1__A," + folder);
  EXPECT_EQ(Entry(1), L"4__D," + folder);
  EXPECT_EQ(TextOf(window->Handle()), L"MIFデータを連結する - 2 ファイル");
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  Click(kBExecute);
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"A\"\t0\r\n\"D\"\t0\r\n");
}

// A tile of one name in two folders: listed twice, and the run that
// merges both ends in the warnings box.
TEST_F(Gui, ARunWithWarningsEndsInOneBoxThatSumsThemUp) {
  ScratchDir dir;
  for (const char* folder : {"5339", "5340"}) {
    std::filesystem::create_directory(testing::Utf8Path(dir.File(folder)));
    Pair(dir, std::string(folder) + "\\53394611__A");
  }
  Drop({dir.File("5339"), dir.File("5340")});
  ASSERT_EQ(Count(), 2);
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  ExpectBox(
      L"結合しましたが、警告が 1 件あります:\r\n\r\n"
      L"二度ある入力 (同じファイル、またはほかのフォルダーの同じ名前): 1 件\r\n  "
      L"同じ名前の入力がほかのフォルダーにもあります (入力 1/2: " +
      testing::Utf8Path(dir.File("5339\\53394611__A.mif")).wstring() + L"、内容は同じです): " +
      testing::Utf8Path(dir.File("5340\\53394611__A.mif")).wstring());
  ExpectCoverageQuestion(
      L"メッシュ: 3次メッシュ 1 タイル (1 レイヤー)\r\n穴 0、メッシュ外 0、重複 1", IDNO);
  Click(kBExecute);
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"A\"\t0\r\n\"A\"\t0\r\n");
}

// はい at the end of a run of mesh tiles writes the picture into the
// temporary folder and hands it to the browser; a prefix with no program
// for .svg says so in the error box, naming the picture.
TEST_F(Gui, TheCoverageOfARunOfMeshTilesOpensFromTheEndOfRunBox) {
  ScratchDir dir;
  Pair(dir, "53394611__A");
  Pair(dir, "53394612__A");  // 53394611's point, under its neighbour's code
  Select(dir, {"53394611__A.mif", "53394612__A.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  ExpectBoxStarting(L"結合しましたが、警告が 1 件あります:", IDOK);
  ExpectCoverageQuestion(
      L"メッシュ: 3次メッシュ 2 タイル (1 レイヤー)\r\n穴 0、メッシュ外 1、重複 0", IDYES);
  std::wstring refused;
  expectedBoxes.push_back([&refused](const Box& box) {
    refused = box.text;
    CloseBox(box);
  });
  Click(kBExecute);
  if (refused.empty()) expectedBoxes.clear();  // a program took it
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  std::filesystem::path newest;
  for (const auto& entry : std::filesystem::directory_iterator(std::wstring(folder, length))) {
    const std::wstring name = entry.path().filename().wstring();
    if (name.rfind(L"mifjoin-メッシュ-", 0) == 0 && (newest.empty() || entry.path() > newest)) {
      newest = entry.path();
    }
  }
  ASSERT_FALSE(newest.empty());
  const std::string svg = ReadBytes(testing::Utf8Of(newest));
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("<title>53394612 メッシュ外</title>"), std::string::npos);
  if (!refused.empty()) {
    EXPECT_EQ(Narrow(refused),
              Narrow(L"図を開くことができません (.svg を開くプログラムがありません): " +
                     newest.wstring() + L"."));
  }
  std::filesystem::remove(newest);
}

TEST_F(Gui, ShowCommands3And7StartMaximisedAndMinimised) {
  ShowWindow(window->Handle(), SW_HIDE);
  PostMessageW(window->Handle(), WM_CLOSE, 0, 0);  // ends the loop once it turns
  application->Run(SW_SHOWMAXIMIZED);
  EXPECT_TRUE(application->Terminated());
  EXPECT_TRUE(IsZoomed(window->Handle()));
  TearDown();
  SetUp();
  ShowWindow(window->Handle(), SW_HIDE);
  PostMessageW(window->Handle(), WM_CLOSE, 0, 0);
  application->Run(SW_SHOWMINNOACTIVE);
  EXPECT_TRUE(IsIconic(application->Handle()));  // it carries the taskbar button
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
}

// × during a run asks whether to stop: はい stops at the next source,
// leaves the output as it was and then closes; いいえ lets the run finish
// and the window stay.
TEST_F(Gui, ClosingDuringARunAsksWhetherToStop) {
  ScratchDir dir;
  for (const char* base : {"1__A", "2__B", "3__C"}) Pair(dir, base);
  Select(dir, {"1__A.mif", "2__B.mif", "3__C.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  WriteBytes(dir.File("out.mif"), "previous");
  WriteBytes(dir.File("out.mid"), "previous");
  PostMessageW(window->Handle(), WM_CLOSE, 0, 0);  // taken at the run's first turn
  ExpectStopQuestion(IDYES);
  Click(kBExecute);
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "previous");
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("out.mid.mifjoin-tmp"))));
  application->Run(SW_SHOWNORMAL);  // returns at once: the run asked to quit
  EXPECT_TRUE(application->Terminated());
  TearDown();
  SetUp();
  Select(dir, {"1__A.mif", "2__B.mif", "3__C.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  PostMessageW(window->Handle(), WM_CLOSE, 0, 0);
  ExpectStopQuestion(IDNO);
  Click(kBExecute);
  EXPECT_FALSE(application->Terminated());
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"A\"\t0\r\n\"B\"\t0\r\n\"C\"\t0\r\n");
}

// Esc during a run asks the same; a stop is told in the plain box.
TEST_F(Gui, EscDuringARunStopsItAndSaysSo) {
  ScratchDir dir;
  for (const char* base : {"1__A", "2__B"}) Pair(dir, base);
  Select(dir, {"1__A.mif", "2__B.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  SetFocus(List());
  PostMessageW(List(), WM_KEYDOWN, VK_ESCAPE, 0);
  ExpectStopQuestion(IDYES);
  // Taken at the run's first turn, in the first pass: nothing written.
  ExpectBox(L"結合を中止しました.\r\n出力は書いていません.");
  Click(kBExecute);
  EXPECT_FALSE(application->Terminated());
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("out.mid"))));
}

// As a new selection does: the run goes on over the count it started with,
// and a drop shows in the entries it fetches after it, without a box.
TEST_F(Gui, ADropDuringARunAddsToTheListAndTheRunGoesOn) {
  ScratchDir dir;
  for (const char* base : {"1__A", "2__B", "3__C", "4__D"}) Pair(dir, base);
  Select(dir, {"1__A.mif", "2__B.mif", "3__C.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  WriteBytes(dir.File("x.txt"), "");
  const std::wstring text = testing::Utf8Path(dir.File("x.txt")).wstring();
  PostMessageW(
      window->Handle(), WM_DROPFILES,
      reinterpret_cast<WPARAM>(DropOf({testing::Utf8Path(dir.File("4__D.mif")).wstring(), text})),
      0);  // taken at the first source
  // What is no .mif file is told once the run is over, not while it runs.
  ExpectBox(L"次のファイルは .mif ファイルでもフォルダーでもないため追加しませんでした:\r\n" +
            text);
  Click(kBExecute);
  EXPECT_EQ(Count(), 4);
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"A\"\t0\r\n\"B\"\t0\r\n\"C\"\t0\r\n");
}

// A list chosen during a run replaces every entry the run began with: each
// is left out as a Delete leaves it out, and the new entries come in the
// next run. The run ends without a box, its output as it was.
TEST_F(Gui, AListChosenDuringARunLeavesOutTheEntriesItReplaced) {
  ScratchDir dir;
  for (const char* base : {"1__A", "2__B", "3__C"}) Pair(dir, base);
  Select(dir, {"1__A.mif", "2__B.mif", "3__C.mif"});
  SetText(kOutName, testing::Utf8Path(dir.File("out")).wstring());
  // The list button works during the run; its new list has one entry.
  std::u16string one = Utf16(testing::Utf8Path(dir.Folder()).wstring());
  if (!one.empty() && one.back() == u'\\') one.pop_back();
  dialogs->sources.push_back(one + u'\0' + u"3__C.mif" + u'\0' + u'\0');
  PostMessageW(window->Control(kButton1), BM_CLICK, 0, 0);
  Click(kBExecute);
  EXPECT_EQ(Count(), 1);
  // Taken at the run's first turn, while it read the headers: nothing written.
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("out.mid"))));
  EXPECT_TRUE(IsWindowEnabled(window->Control(kBExecute)));
  Click(kBExecute);  // the next run takes the new list
  EXPECT_EQ(ReadBytes(dir.File("out.mid")), "\"C\"\t0\r\n");
}

TEST_F(Gui, ThePlainBoxCopiesItsContentOnCtrlC) {
  expectedBoxes.push_back([](const Box& box) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    HWND button = GetDlgItem(box.window, IDOK);
    PostMessageW(button, WM_KEYDOWN, 'C', 0);
    PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  ShowPlainMessage(EncodeCp932(u"出力ファイル名の指定がありません"));
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  const std::wstring copied(static_cast<const wchar_t*>(GlobalLock(data)));
  GlobalUnlock(data);
  CloseClipboard();
  const std::wstring dashes = L"---------------------------\r\n";
  EXPECT_EQ(copied, dashes + Wide(std::u16string(TApplication::kTitle)) + L"\r\n" + dashes +
                        L"出力ファイル名の指定がありません\r\n" + dashes + L"OK   \r\n" + dashes);
}

}  // namespace
}  // namespace mif
