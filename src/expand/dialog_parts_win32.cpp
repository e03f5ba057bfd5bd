#include "expand/dialog_parts_win32.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "platform/handles_win32.h"

namespace ambrel::win32 {

void LayoutButtonRow(HWND dialog, int nameLabelId, int width, int height, const DialogUnits& du) {
  const int bw = du.X(50), bh = du.Y(14), gap = du.X(4), margin = du.X(5);
  const int y = height - bh - du.Y(5);
  const int first = width - margin - 3 * bw - 2 * gap;
  int x = first;
  for (const DialogControl& button : kButtonRow) {
    PlaceDialogControl(dialog, button.id, x, y, bw, bh);
    x += bw + gap;
  }
  // The label reaches to the buttons: the pickers show their menu hints in it.
  if (nameLabelId != 0)
    PlaceDialogControl(dialog, nameLabelId, margin, y + du.Y(3), std::max(0, first - margin - gap), du.Y(10));
}

HIMAGELIST MakePickerImages(bool forFolders) {
  const int size = 16;
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24, 3, 0);
  const COLORREF closed = forFolders ? RGB(0xE8, 0xB0, 0x30) : RGB(0x5C, 0x7C, 0xB8);
  const COLORREF open = forFolders ? RGB(0xFF, 0xD8, 0x70) : RGB(0x9C, 0xB8, 0xE8);
  const COLORREF leaf = forFolders ? RGB(0xC8, 0xA0, 0x60) : RGB(0x70, 0x70, 0x70);
  const COLORREF colors[3] = {closed, open, leaf};
  HDC screen = GetDC(nullptr);
  for (int i = 0; i < 3; ++i) {
    GdiObject bitmap(CreateCompatibleBitmap(screen, size, size));
    {
      MemoryDc dc(screen);
      SelectedObject sel(dc.get(), bitmap.get());
      const RECT all{0, 0, size, size};
      FillRect(dc.get(), &all, GetSysColorBrush(COLOR_WINDOW));
      GdiObject brush(CreateSolidBrush(colors[i]));
      const RECT shape = i == 2 ? RECT{4, 2, 12, 14} : i == 1 ? RECT{1, 5, 15, 14} : RECT{1, 4, 14, 13};
      FillRect(dc.get(), &shape, static_cast<HBRUSH>(brush.get()));
      if (i != 2) {
        const RECT tab{1, 2, 7, 5};
        FillRect(dc.get(), &tab, static_cast<HBRUSH>(brush.get()));
      }
    }
    ImageList_Add(list, static_cast<HBITMAP>(bitmap.get()), nullptr);
  }
  ReleaseDC(nullptr, screen);
  return list;
}

}  // namespace ambrel::win32
