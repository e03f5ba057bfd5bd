// TTree: the tree picker of "#Tree", over a folder tree or a tab-indented
// tree file.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

#include "expand/pick_tree.h"
#include "expand/work_jobs.h"
#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {

class WorkDialog;

class TreeDialog : public Window, public options::SettingsObserver {
 public:
  TreeDialog(options::Settings& settings, WorkDialog& work, Files& files, FileSystem& fileSystem);
  ~TreeDialog() override;
  bool Create();
  // path is the chosen folder's full path (folder trees) or the chosen
  // item's text (tree files), when a node is selected at the end.
  bool RunTree(std::string_view argument, std::string& path);

  void OnSettingChanged(options::Setting which) override;

  // Fills the control from the model, processing messages as it goes
  // (public for the measurement program).
  void FillFromModel();
  bool LoadTree(std::string_view argument);
  HWND TreeControl() const { return tree_; }

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  static LRESULT CALLBACK TreeProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void OnCreate();
  void OnSize(int width, int height);
  void OnCommand(int id);
  LRESULT OnNotify(NMHDR* header);
  void OnContextMenu(int x, int y);
  void ExpandAll(UINT how);
  void ApplyButtons();
  void Print();
  void Close(bool ok);
  int NodeOf(HTREEITEM item) const;

  options::Settings& settings_;
  WorkDialog& work_;
  Files& files_;
  FileSystem& fileSystem_;
  expand::PickTree model_;
  bool folderTree_ = false;
  HWND tree_ = nullptr, name_ = nullptr;
  ImageListHandle folderImages_, dataImages_;
  MenuHandle menu_;
  bool editing_ = false;
  bool labelEditAllowed_ = false;
  bool open_ = false;
  bool ok_ = false;
};

}  // namespace ambrel::win32
