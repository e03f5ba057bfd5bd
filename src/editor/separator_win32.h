// The bar between the editor's tree and its pages (VertSep beside them,
// HrzSep between them one above the other), dragged to resize the tree.
#pragma once

#include <functional>

#include "platform/window_win32.h"

namespace ambrel::win32 {

class Separator : public Window {
 public:
  // `moved` gets the pointer's distance across the bar from where the drag
  // began; the tree's edge (and this bar with it) follows when the owner
  // accepts, so the pointer stays at the same place on the bar.
  Separator(bool vertical, std::function<void(int d)> moved)
      : vertical_(vertical), moved_(std::move(moved)) {}
  bool Create(HWND parent);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  int Across(LPARAM lParam) const;

  bool vertical_;
  std::function<void(int d)> moved_;
  int origin_ = -1;  // -1 while no drag is under way
};

}  // namespace ambrel::win32
