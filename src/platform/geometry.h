// Window placement arithmetic shared by every dialog.
#pragma once

#include <algorithm>
#include <optional>

namespace ambrel {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// Moves form, keeping its size, inside a work area, which need not start at
// 0,0 (a task bar on the left or top, a monitor left of or above the primary
// one). A form larger than the work area keeps its top-left corner on it.
inline Rect ClampIntoWorkArea(Rect form, Rect workArea) {
  form.left = std::max(workArea.left, std::min(form.left, workArea.left + workArea.width - form.width));
  form.top = std::max(workArea.top, std::min(form.top, workArea.top + workArea.height - form.height));
  return form;
}

// Centres form over `over` (or the work area when absent), then keeps it
// inside the work area of its monitor.
inline Rect CenterRect(Rect form, std::optional<Rect> over, Rect workArea) {
  const Rect base = over.value_or(workArea);
  form.left = base.left + (base.width - form.width) / 2;
  form.top = base.top + (base.height - form.height) / 2;
  return ClampIntoWorkArea(form, workArea);
}

// Left edge of a window of ownWidth beside another (a dialog, the editor): on
// its right, or on its left when the screen is narrower than its left + its
// width + ownWidth.
inline int BesideLeft(int screenWidth, int otherLeft, int otherWidth, int ownWidth) {
  const long long right = static_cast<long long>(otherLeft) + otherWidth;
  return screenWidth < right + ownWidth ? otherLeft - ownWidth : static_cast<int>(right);
}

// A window of ownWidth beside `other`, with its top and height, by BesideLeft;
// then no taller than the work area and moved into it. A maximised or wide
// window leaves no room on either side: the result then overlaps it rather
// than standing off the screen.
inline Rect BesideRect(Rect other, int ownWidth, int screenWidth, Rect workArea) {
  const Rect beside{BesideLeft(screenWidth, other.left, other.width, ownWidth), other.top, ownWidth,
                    std::min(other.height, workArea.height)};
  return ClampIntoWorkArea(beside, workArea);
}

// Where a hidden window waits: beyond the right edge of the virtual screen
// (all monitors together), so that no monitor shows any part of it whatever
// its width.
inline Point ParkingPlace(Rect virtualScreen) {
  return Point{virtualScreen.left + virtualScreen.width + 100, virtualScreen.top};
}

}  // namespace ambrel
