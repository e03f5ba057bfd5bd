// TList: the list picker of "#List", over the rows of a list file.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "expand/work_jobs.h"
#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {

class WorkDialog;

class ListDialog : public Window, public options::SettingsObserver {
 public:
  ListDialog(options::Settings& settings, WorkDialog& work, Files& files, FileSystem& fileSystem);
  ~ListDialog() override;
  bool Create();
  // line is the selected row's text when a row is selected at the end
  // (also after Cancel); true when closed with OK.
  bool RunList(std::string_view fileName, std::string& line);

  void OnSettingChanged(options::Setting which) override;

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void OnCreate();
  void OnSize(int width, int height);
  void OnCommand(int id);
  LRESULT OnNotify(NMHDR* header);
  void OnContextMenu(int x, int y);
  void LoadList(std::string_view fileName);
  void FitColumn();
  void ApplyGridLine();
  int Selected() const;
  void Select(int row);
  void Sort();
  void Print();
  void Close(bool ok);

  options::Settings& settings_;
  WorkDialog& work_;
  Files& files_;
  FileSystem& fileSystem_;
  std::vector<std::string> rows_;
  HWND list_ = nullptr, name_ = nullptr;
  ImageListHandle images_;
  MenuHandle menu_;
  bool editing_ = false;
  bool labelEditAllowed_ = false;
  bool open_ = false;
  bool ok_ = false;
};

}  // namespace ambrel::win32
