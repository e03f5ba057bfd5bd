// Which tool buttons of the editor can be pressed, and where the navigation
// buttons go.
#pragma once

namespace ambrel::editor {

struct EditBarState {
  int clipCount = 0;
  bool currentIsStatic = false;
  bool freeUserSlot = false;
};

// A button is enabled when someone carries out its command (`handled`) and
// its rule allows it: make-static only on a clip that is not static,
// navigation only among two clips or more, a new user menu only while a
// slot is free.
bool EditButtonEnabled(int commandId, bool handled, const EditBarState& state);

// The page `step` (+1 next, -1 previous) away from `current` among `count`
// pages, wrapping around at either end; -1 when there is no page.
int NeighbourPage(int current, int count, int step);

}  // namespace ambrel::editor
