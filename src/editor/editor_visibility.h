// The editor window as the tray sees it: opened, closed, and whether it is
// on the screen, without the rest of the window's class.
#pragma once

namespace ambrel::win32 {

class EditorVisibility {
 public:
  virtual ~EditorVisibility() = default;
  virtual void ShowEditor() = 0;
  virtual void CloseEditor() = 0;
  virtual bool EditorShown() const = 0;
};

}  // namespace ambrel::win32
