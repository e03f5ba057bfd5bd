// Where the clip menu opens, by the setting PopupPos: 0 the given point (the
// caret or the mouse), 1 top left, 2 bottom left, 3 top right, 4 bottom
// right of the screen; any other value counts as 0.
#pragma once

namespace ambrel::app {

struct ScreenPoint {
  int x = 0, y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

inline ScreenPoint PopupPoint(int popupPos, ScreenPoint given, int screenWidth, int screenHeight) {
  switch (popupPos) {
    case 1: return {0, 0};
    case 2: return {0, screenHeight};
    case 3: return {screenWidth, 0};
    case 4: return {screenWidth, screenHeight};
    default: return given;
  }
}

}  // namespace ambrel::app
