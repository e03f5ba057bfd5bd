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

// Centres form over `over` (or the work area when absent), then keeps it
// inside the work area of its monitor, which need not start at 0,0 (a task
// bar on the left or top, a monitor left of or above the primary one). A
// form larger than the work area keeps its top-left corner on it.
inline Rect CenterRect(Rect form, std::optional<Rect> over, Rect workArea) {
  const Rect base = over.value_or(workArea);
  form.left = base.left + (base.width - form.width) / 2;
  form.top = base.top + (base.height - form.height) / 2;
  form.left = std::max(workArea.left, std::min(form.left, workArea.left + workArea.width - form.width));
  form.top = std::max(workArea.top, std::min(form.top, workArea.top + workArea.height - form.height));
  return form;
}

// Where a hidden window waits: beyond the right edge of the virtual screen
// (all monitors together), so that no monitor shows any part of it whatever
// its width.
inline Point ParkingPlace(Rect virtualScreen) {
  return Point{virtualScreen.left + virtualScreen.width + 100, virtualScreen.top};
}

}  // namespace ambrel
