// Report-style list views on tab pages, as the program's list windows build
// them: full-row selection, one selected row, columns of given widths.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ambrel::win32 {

HWND MakeReportList(HWND parent, int id, DWORD extraStyle);
void AddListColumn(HWND list, int index, const char* caption, int width);
// texts[0] is the caption, the rest the sub-items.
void AddListRow(HWND list, int row, const std::vector<std::string>& texts);

// The text of a row's column (0: the caption), up to 511 bytes.
std::string ListItemText(HWND list, int row, int column);

// Sizes the tab control to the parent's client area and returns the area
// of its pages.
RECT LayOutTabs(HWND tabs);
// The tabs' position and rows as the UpperTab and MultiLine settings say:
// on top or at the bottom, in one row or in several.
void SetTabPlacement(HWND tabs, bool upper, bool multiLine);
// Puts a page's control over the page area, above its siblings.
void FillTabPage(HWND control, const RECT& area);

}  // namespace ambrel::win32
