#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace ambrel::app {
namespace {

bool Same(const TRect& a, const TRect& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// A window placed at a screen rectangle, its placement read back, saved and
// applied again, stays where it was, whatever corner the task bar takes.
TEST(PlacementToScreen, AWindowStaysPutAcrossRestartsWithTheTaskBarAtTopOrLeft) {
  const TRect placed{200, 150, 640, 480};
  for (const WorkAreaOrigin work : {WorkAreaOrigin{0, 0}, WorkAreaOrigin{0, 40}, WorkAreaOrigin{64, 0}}) {
    // What the system reports for a window at `placed`.
    const TRect normal{placed.left - work.left, placed.top - work.top, placed.width, placed.height};
    EXPECT_TRUE(Same(PlacementToScreen(normal, work, false), placed)) << work.left << "," << work.top;
    // Tool windows are placed in screen coordinates already.
    EXPECT_TRUE(Same(PlacementToScreen(placed, work, true), placed));
  }
}

}  // namespace
}  // namespace ambrel::app
