// What the editor's clip menu hands a chosen clip to: the paste, which
// decides by where the menu was opened and the modifiers held.
#pragma once

#include <functional>

namespace ambrel::win32 {

// What the choice needs of the editor window.
struct ChoiceView {
  std::function<void(int pageIndex)> selectPage;  // make current and focus its editor
  std::function<void()> showEditor;
};

class ClipChooser {
 public:
  virtual ~ClipChooser() = default;
  // asPopup: the menu was opened by the hot key or the tray, not in the editor.
  virtual void ChooseClip(int pageIndex, bool asPopup, const ChoiceView& view) = 0;
};

}  // namespace ambrel::win32
