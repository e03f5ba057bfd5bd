// The editor's data menu ("ﾃﾞｰﾀ(&D)": the user-menu submenu, the clip menu,
// quit) and the tree's pop-up menu, with their enabling rules and commands.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/busy_state.h"
#include "platform/handles_win32.h"

namespace ambrel {
class MessageBoxes;
}
namespace ambrel::clipstore {
class TClipBase;
class TreeNode;
}  // namespace ambrel::clipstore
namespace ambrel::options {
class Settings;
}

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
  DataMenu(clipstore::TClipBase& store, options::Settings& settings, const DataMenuServices& services)
      : store_(store), settings_(settings), s_(services) {}

  // Adds "ﾃﾞｰﾀ(&D)" to the menu bar, holding historyMenu as "一覧 (&V)".
  void AppendTo(HMENU bar, HMENU historyMenu);
  bool IsDataMenu(HMENU menu) const { return menu == data_; }
  void UpdateDataMenu(const clipstore::TreeNode* selection);
  // Opens the tree's pop-up menu at screenPoint for the selected node.
  void TrackTreeMenu(HWND owner, HWND tree, POINT screenPoint, clipstore::TreeNode* selection);
  // Carries out a command of either menu; false when the id is not one.
  bool Handle(int id, HWND owner, HWND tree, clipstore::TreeNode* selection);

 private:
  void FillTreeMenu();
  void OpenDialog(HWND owner, clipstore::TreeNode* node, int mode);
  void DeleteContents(HWND owner, clipstore::TreeNode* node);
  void PrintTree(HWND owner, const clipstore::TreeNode* start);

  clipstore::TClipBase& store_;
  options::Settings& settings_;
  DataMenuServices s_;
  HMENU data_ = nullptr;      // owned by the menu bar
  HMENU userMenu_ = nullptr;  // owned by data_ while shown, else by hiddenUserMenu_
  MenuHandle hiddenUserMenu_;
  MenuHandle treeMenu_;
};

}  // namespace ambrel::win32
