// The choice handler of the clip menu on Win32: reads the modifier keys,
// acts on the store and the editor window, and asks the hook library in the
// target window's thread to paste.
#pragma once

#include <functional>

namespace ambrel::win32 {

// What the handler needs of the editor window.
struct ChoiceView {
  std::function<void(int pageIndex)> selectPage;  // make current and focus its editor
  std::function<void()> showEditor;
};

void HandleClipChoice(int pageIndex, const ChoiceView& view);

}  // namespace ambrel::win32
