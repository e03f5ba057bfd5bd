// TPost: the user-menu dialog. Creates, edits and deletes user menus and
// tries their matching strings on a test text, matching exactly as the
// distribution does.
#pragma once

#include <string>

#include "platform/modal_dialog_win32.h"
#include "usermenu/menu_properties.h"

namespace ambrel::clipstore {
class TClipBase;
class TreeNode;
}  // namespace ambrel::clipstore
namespace ambrel {
class MessageBoxes;
}

namespace ambrel::usermenu {
class Distributor;
}

namespace ambrel::win32 {

class RegListWindow;

class PostDialog : public ModalDialog {
 public:
  PostDialog(DialogHost& host, clipstore::TClipBase& store, usermenu::Distributor& reg, MessageBoxes& messages);
  bool Create(RegListWindow* regList);

  // Opens the dialog modally over owner for a node and a mode; true on OK.
  bool ShowMenuProperties(HWND owner, clipstore::TreeNode* node, usermenu::MenuMode mode);
  // A drop from the expression list: replaces the selection of the edit
  // under the point, when it is one of the three that accept drops.
  bool AcceptDrop(POINT screenPoint, const std::string& caption);
  void ShowHint(const std::string& hint);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnCommand(int id, int code);
  void OnOk();
  void OnTest();
  void OnSetCursor(HWND over);
  bool PreTranslateKey(const MSG& msg) override;
  int HelpContextAt(HWND focus) const override;
  void OnModalShown() override;
  void OnModalEnding() override;
  void Fill(const usermenu::MenuValues& values);
  usermenu::MenuValues Read() const;
  void EnableFields(bool on);
  HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

  clipstore::TClipBase& store_;
  usermenu::Distributor& reg_;
  MessageBoxes& messages_;
  RegListWindow* regList_ = nullptr;
  clipstore::TreeNode* node_ = nullptr;
  usermenu::MenuMode mode_ = usermenu::MenuMode::kEdit;
};

}  // namespace ambrel::win32
