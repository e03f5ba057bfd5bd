// A window that takes a text dragged from another window of the program
// (a static variable's caption dragged from the static-variable list into a
// clip's editor). The drag source asks the target under the pointer.
#pragma once

#include <windows.h>

#include <string>

namespace ambrel::win32 {

class TextDropTarget {
 public:
  virtual ~TextDropTarget() = default;
  // True when a drop at the screen point would be taken (the pointer is over
  // an editor that accepts it); the source shows its cursor from this.
  virtual bool AcceptsTextAt(POINT screen) const = 0;
  // Inserts text at the character under the screen point, as the selection,
  // and gives that editor the focus. False when nothing took it.
  virtual bool DropTextAt(POINT screen, const std::string& text) = 0;
};

}  // namespace ambrel::win32
