#include "ui/CheckList.h"

namespace mif {

namespace {

constexpr wchar_t kOldProc[] = L"MifCheckListProc";

// The square of the check box at the front of a row.
RECT BoxOf(const RECT& row) {
  const int side = row.bottom - row.top;
  return {row.left + 1, row.top, row.left + 1 + side, row.bottom};
}

void Toggle(HWND list, int index) {
  if (index < 0 || index >= static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0))) return;
  SetMarked(list, index, !IsMarked(list, index));
}

LRESULT CALLBACK CheckListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto old = reinterpret_cast<WNDPROC>(GetPropW(list, kOldProc));
  if (message == WM_LBUTTONDOWN) {
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
    if (HIWORD(hit) == 0) {
      RECT row{};
      SendMessageW(list, LB_GETITEMRECT, LOWORD(hit), reinterpret_cast<LPARAM>(&row));
      if (static_cast<short>(LOWORD(lParam)) < BoxOf(row).right) Toggle(list, LOWORD(hit));
    }
  } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    Toggle(list, static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0)));
    return 0;
  } else if (message == WM_CHAR && wParam == L' ') {
    return 0;
  } else if (message == WM_NCDESTROY) {
    RemovePropW(list, kOldProc);
  }
  return CallWindowProcW(old, list, message, wParam, lParam);
}

}  // namespace

void AttachCheckList(HWND list) {
  const LONG_PTR old =
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CheckListProc));
  SetPropW(list, kOldProc, reinterpret_cast<HANDLE>(old));
}

int CheckListRowHeight(HWND list, HFONT font) {
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, L"Wg", 2, &size);
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  return size.cy;
}

void DrawCheckListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  RECT box = BoxOf(item.rcItem);
  InflateRect(&box, -1, -1);
  DrawFrameControl(dc, &box, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (item.itemData != 0 ? DFCS_CHECKED : 0));
  const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  std::wstring entry(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(entry.data()));
  entry.resize(entry.size() - 1);
  RECT textRect = item.rcItem;
  textRect.left = BoxOf(item.rcItem).right + 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextW(dc, entry.c_str(), static_cast<int>(entry.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &item.rcItem);
}

bool AddCheckListEntry(HWND list, const std::wstring& text) {
  const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) return false;
  SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
  return true;
}

bool IsMarked(HWND list, int index) {
  return SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) == 1;
}

void SetMarked(HWND list, int index, bool marked) {
  SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), marked ? 1 : 0);
  RECT row{};
  if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&row)) != LB_ERR) {
    InvalidateRect(list, &row, FALSE);
    UpdateWindow(list);
  }
}

void SetAllMarked(HWND list, bool marked) {
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < count; ++i) {
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(i), marked ? 1 : 0);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, FALSE);
  UpdateWindow(list);
}

}  // namespace mif
