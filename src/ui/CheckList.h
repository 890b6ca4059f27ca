// The source list: an owner-drawn list box (LBS_OWNERDRAWFIXED,
// LBS_HASSTRINGS) with a check box in front of every entry. An entry's
// mark is its item data, 1 or 0, so LB_GETITEMDATA reads it, also from
// outside the process. A click on the box or the space bar toggles it.
#pragma once

#include <windows.h>

#include <string>

namespace mif {

// Makes the list a check list: its clicks and keys toggle marks.
void AttachCheckList(HWND list);

// Rows one text line high: the height of "Wg" in `font`.
int CheckListRowHeight(HWND list, HFONT font);

// Draws one entry for the parent's WM_DRAWITEM.
void DrawCheckListItem(const DRAWITEMSTRUCT& item);

// Appends an entry without a mark; false when the list cannot take it.
bool AddCheckListEntry(HWND list, const std::wstring& text);

bool IsMarked(HWND list, int index);
// Sets the mark and repaints its square at once.
void SetMarked(HWND list, int index, bool marked);
// Sets every entry's mark with one repaint of the list, not one an entry.
void SetAllMarked(HWND list, bool marked);

}  // namespace mif
