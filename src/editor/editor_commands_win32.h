// Commands of the editor window that other parts of the program carry out
// (the data commands, the properties dialog, the static-variable window, the
// paste preview, the version dialog). The composition root registers each
// one; the window runs it from its menus and tool buttons and leaves an item
// disabled while nothing is registered for it.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <utility>

#include "editor/editor_command_ids.h"

namespace ambrel::clipstore {
struct Clip;
class TreeNode;
}  // namespace ambrel::clipstore

namespace ambrel::win32 {

// What a command acts on, taken when it runs.
struct EditorContext {
  HWND owner = nullptr;                       // the editor window
  HWND editor = nullptr;                      // the current editor's rich edit, or null
  int page = -1;                              // the current page, or -1
  clipstore::TreeNode* selection = nullptr;  // the tree's selection, or null
};

class EditorCommands {
 public:
  using Handler = std::function<void(const EditorContext&)>;

  // editorOverride: while it returns a window, that rich edit (a dialog's
  // own editor) is the current editor instead of the current page's.
  // editorHidden: called when the editor window is hidden (closes the
  // windows that belong to it).
  EditorCommands(std::function<HWND()> editorOverride, std::function<void()> editorHidden)
      : editorOverride(std::move(editorOverride)), editorHidden(std::move(editorHidden)) {}
  EditorCommands(const EditorCommands&) = delete;
  EditorCommands& operator=(const EditorCommands&) = delete;

  void Set(editor::CommandId id, Handler handler) {
    if (Valid(id)) handlers_[Index(id)] = std::move(handler);
  }
  bool Has(int id) const { return Valid(id) && static_cast<bool>(handlers_[Index(id)]); }
  // False when nothing is registered for id.
  bool Run(int id, const EditorContext& context) const {
    if (!Has(id)) return false;
    handlers_[Index(id)](context);
    return true;
  }

  const std::function<HWND()> editorOverride;
  const std::function<void()> editorHidden;

 private:
  static constexpr int kCount = editor::kCmdLast - editor::kCmdReadAll;
  static bool Valid(int id) { return id >= editor::kCmdReadAll && id < editor::kCmdLast; }
  static std::size_t Index(int id) { return static_cast<std::size_t>(id - editor::kCmdReadAll); }
  std::array<Handler, kCount> handlers_{};
};

}  // namespace ambrel::win32
