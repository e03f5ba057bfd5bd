#include "clipstore/menu_pictures_win32.h"


namespace ambrel::win32 {
namespace {

enum Picture { kHelp, kStatic, kUserMenu, kPictureCount };

struct Pictures {
  HBITMAP bitmaps[kPictureCount] = {};
  int width = 0;
  int height = 0;
};

Pictures& Store() {
  static Pictures pictures;
  return pictures;
}

// Monochrome, as menu check marks are: black marks on white.
void Draw(Picture which, HDC dc, int w, int h) {
  RECT all{0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  const int m = w / 6 > 0 ? w / 6 : 1;
  switch (which) {
    case kHelp: {  // a question mark in a ring
      SelectObject(dc, GetStockObject(NULL_BRUSH));
      Ellipse(dc, m - 1, m - 1, w - m + 1, h - m + 1);
      SetBkMode(dc, TRANSPARENT);
      RECT text{0, 0, w, h};
      DrawTextA(dc, "?", 1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      break;
    }
    case kStatic:  // a pinned sheet: a frame with a filled head
      SelectObject(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, m, m, w - m, h - m);
      SelectObject(dc, GetStockObject(BLACK_BRUSH));
      Rectangle(dc, m, m, w - m, m + (h - 2 * m) / 3);
      break;
    case kUserMenu: {  // a folder
      POINT tab[] = {{m, m + 1}, {w / 2, m + 1}, {w / 2 + 1, m + 3}, {w - m, m + 3},
                     {w - m, h - m}, {m, h - m}};
      Polygon(dc, tab, 6);
      break;
    }
    default: break;
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

void Rebuild(Pictures& p, int w, int h) {
  for (HBITMAP& b : p.bitmaps) {
    if (b) DeleteObject(b);
    b = nullptr;
  }
  p.width = w;
  p.height = h;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  for (int i = 0; i < kPictureCount; ++i) {
    p.bitmaps[i] = CreateBitmap(w, h, 1, 1, nullptr);
    if (!p.bitmaps[i]) continue;
    HGDIOBJ old = SelectObject(dc, p.bitmaps[i]);
    Draw(static_cast<Picture>(i), dc, w, h);
    SelectObject(dc, old);
  }
  DeleteDC(dc);
}

}  // namespace

void RefreshMenuPictures() {
  const int w = GetSystemMetrics(SM_CXMENUCHECK), h = GetSystemMetrics(SM_CYMENUCHECK);
  Pictures& p = Store();
  if (w > 0 && h > 0 && (w != p.width || h != p.height)) Rebuild(p, w, h);
}

HBITMAP MenuPictureFor(const clipstore::MenuItem& item) {
  RefreshMenuPictures();
  const Pictures& p = Store();
  if (item.name == "MMHelpMenu") return p.bitmaps[kHelp];
  if (!item.slot || item.slot->IsHistory()) return nullptr;
  return p.bitmaps[item.slot->IsStatic() ? kStatic : kUserMenu];
}

}  // namespace ambrel::win32
