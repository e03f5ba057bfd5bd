#include "app/app_icon_win32.h"

#include "app/resource.h"

namespace ambrel::win32 {
namespace {

constexpr COLORREF kAmber = RGB(0xF2, 0xA9, 0x00);

void FillSolid(HDC dc, const RECT& rc, COLORREF color) {
  GdiObject brush(CreateSolidBrush(color));
  FillRect(dc, &rc, static_cast<HBRUSH>(brush.get()));
}

}  // namespace

IconHandle LoadAppIcon(int size) {
  return IconHandle(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM),
                                                  IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

void PaintLogo(HDC dc, const RECT& rc) {
  const int height = rc.bottom - rc.top;
  // A vertical blend from ink to a lighter blue, then the name in amber.
  for (int y = 0; y < height; ++y) {
    const int t = height > 1 ? y * 255 / (height - 1) : 0;
    const COLORREF c = RGB(0x1F + t * (0x4A - 0x1F) / 255, 0x3A + t * (0x6F - 0x3A) / 255,
                           0x6E + t * (0xB0 - 0x6E) / 255);
    const RECT line{rc.left, rc.top + y, rc.right, rc.top + y + 1};
    FillSolid(dc, line, c);
  }
  GdiObject font(CreateFontA(-(height * 11 / 20), 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0,
                             0, ANTIALIASED_QUALITY, 0, "Arial"));
  SelectedObject f(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kAmber);
  RECT text = rc;
  DrawTextA(dc, "Ambrel", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace ambrel::win32
