// TTree: the tree picker of "#Tree", over a folder tree or a tab-indented
// tree file.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

#include "expand/pick_tree.h"
#include "expand/picker_dialog_win32.h"

namespace ambrel::win32 {

class TreeDialog : public PickerDialog {
 public:
  TreeDialog(DialogHost& host, options::Settings& settings, WorkDialog& work, Files& files, FileSystem& fileSystem);
  bool Create();
  // path is the chosen folder's full path (folder trees) or the chosen
  // item's text (tree files), when a node is selected at the end.
  bool RunTree(std::string_view argument, std::string& path);

  // Fills the control from the model, processing messages as it goes
  // (public for the measurement program).
  void FillFromModel();
  bool LoadTree(std::string_view argument);
  HWND TreeControl() const { return view_; }

 private:
  void SetUpView() override;
  void UpdateMenu(HMENU menu) override;
  void OnMenuCommand(int id) override;
  LRESULT OnViewNotify(NMHDR* header) override;
  void OnViewMouseMove(POINT at) override;
  void CancelLabelEdit() override { TreeView_EndEditLabelNow(view_, TRUE); }
  std::vector<std::string> PrintedRows() const override;
  void ApplySetting(options::Setting which) override;

  void ExpandAll(UINT how);
  void ApplyButtons();
  int NodeOf(HTREEITEM item) const;

  expand::PickTree model_;
  bool folderTree_ = false;
  ImageListHandle folderImages_, dataImages_;
};

}  // namespace ambrel::win32
