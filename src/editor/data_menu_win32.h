// The editor's commands over user menus and the tree that the window carries
// out itself: a new, changed or deleted user menu through the user-menu
// dialog, the tree expanded or collapsed, and the end of the program.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/busy_state.h"

namespace ambrel {
class MessageBoxes;
}
namespace ambrel::clipstore {
class TClipBase;
class TreeNode;
}  // namespace ambrel::clipstore

namespace ambrel::win32 {

class PostDialog;

struct DataMenuServices {
  PostDialog& userMenuDialog;
  MessageBoxes& messages;
  const BusyState& busy;
  std::function<void()> quit;  // "終了 (&X)": ends the program
};

class DataMenu {
 public:
  DataMenu(clipstore::TClipBase& store, const DataMenuServices& services) : store_(store), s_(services) {}

  static bool Handles(int id);
  // Carries out a command; false when the id is not one of these.
  bool Handle(int id, HWND owner, HWND tree, clipstore::TreeNode* selection);

 private:
  void OpenDialog(HWND owner, clipstore::TreeNode* node, int mode);
  void DeleteContents(HWND owner, clipstore::TreeNode* node);

  clipstore::TClipBase& store_;
  DataMenuServices s_;
};

}  // namespace ambrel::win32
