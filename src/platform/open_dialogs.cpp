#include "platform/open_dialogs.h"

#include <algorithm>

namespace ambrel {

void OpenDialogs::Closed(WindowId window) {
  if (open_.empty()) return;
  // Dialogs close in the reverse order of opening; a window that is known
  // is taken out wherever it stands, so that a mismatch never leaves the
  // program busy for good.
  auto it = std::find(open_.rbegin(), open_.rend(), window);
  if (it == open_.rend()) it = open_.rbegin();
  open_.erase(std::next(it).base());
}

void OpenDialogs::Scope::SetWindow(WindowId window) {
  auto& open = record_.open_;
  auto it = std::find(open.rbegin(), open.rend(), window_);
  if (it != open.rend()) *it = window;
  window_ = window;
}

}  // namespace ambrel
