// TList: the list picker of "#List", over the rows of a list file.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "expand/picker_dialog_win32.h"

namespace ambrel::win32 {

class ListDialog : public PickerDialog {
 public:
  ListDialog(DialogHost& host, options::Settings& settings, WorkDialog& work, Files& files, FileSystem& fileSystem);
  bool Create();
  // line is the selected row's text when a row is selected at the end
  // (also after Cancel); true when closed with OK.
  bool RunList(std::string_view fileName, std::string& line);

 private:
  void SetUpView() override;
  void UpdateMenu(HMENU menu) override;
  void OnMenuCommand(int id) override;
  LRESULT OnViewNotify(NMHDR* header) override;
  void OnViewMouseMove(POINT at) override;
  void OnViewResized() override { FitColumn(); }
  void CancelLabelEdit() override;
  std::vector<std::string> PrintedRows() const override { return rows_; }
  void ApplySetting(options::Setting which) override;

  void LoadList(std::string_view fileName);
  void FitColumn();
  void ApplyGridLine();
  int Selected() const;
  void Select(int row);
  void Sort();

  std::vector<std::string> rows_;
  ImageListHandle images_;
};

}  // namespace ambrel::win32
