// The window placement keeps a window's normal rectangle relative to the
// work area of its monitor (the screen less the task bar), unless the window
// is a tool window; the parameter file and SetWindowPos use screen
// coordinates. With the task bar at the top or left the two differ, and a
// rectangle taken from one and given to the other moves the window on every
// restart.
#pragma once

#include "app/param_record.h"

namespace ambrel::app {

struct WorkAreaOrigin {
  int left = 0, top = 0;  // the work area's corner in screen coordinates
};

inline TRect PlacementToScreen(TRect normal, WorkAreaOrigin work, bool toolWindow) {
  if (!toolWindow) {
    normal.left += work.left;
    normal.top += work.top;
  }
  return normal;
}

}  // namespace ambrel::app
