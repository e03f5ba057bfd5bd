// Window placement arithmetic shared by every dialog.
#pragma once

#include <algorithm>
#include <optional>

namespace ambrel {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

// Centres form over `over` (or the screen when absent), then keeps it on the
// screen: left and top not below 0, right edge within the screen width,
// bottom edge within the screen height minus 32 (the task bar).
inline Rect CenterRect(Rect form, std::optional<Rect> over, int screenWidth, int screenHeight) {
  const Rect base = over.value_or(Rect{0, 0, screenWidth, screenHeight});
  form.left = base.left + (base.width - form.width) / 2;
  form.top = base.top + (base.height - form.height) / 2;
  form.left = std::max(0, std::min(form.left, screenWidth - form.width));
  form.top = std::max(0, std::min(form.top, screenHeight - 32 - form.height));
  return form;
}

}  // namespace ambrel
