#include "editor/edit_bar_state.h"

#include "editor/editor_command_ids.h"

namespace ambrel::editor {

bool EditButtonEnabled(int commandId, bool handled, const EditBarState& state) {
  if (!handled) return false;
  switch (commandId) {
    case kCmdMakeStatic: return state.clipCount > 0 && !state.currentIsStatic;
    case kCmdPrevClip:
    case kCmdNextClip: return state.clipCount > 1;
    case kCmdMenuAdd: return state.freeUserSlot;
    default: return true;
  }
}

int NeighbourPage(int current, int count, int step) {
  if (count <= 0) return -1;
  if (current < 0 || current >= count) return 0;
  return ((current + step) % count + count) % count;
}

}  // namespace ambrel::editor
