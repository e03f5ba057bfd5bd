// TMeta, "静的変数ﾘｽﾄ": the static-variable list and the function list on
// two pages (tabs placed by the UpperTab and MultiLine settings), with the
// menu that adds, updates, deletes and prints rows, switches the expansion
// and the grid lines, and runs the interactive
// functions' test commands. Closing only hides it; the list stays in memory
// for the expansion. The static-variable list is shown on demand (a table of
// a hundred thousand rows opens at once) and is a drag source for the clip
// editors.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/editor_commands_win32.h"
#include "editor/text_drop_target_win32.h"
#include "expand/meta_edit.h"
#include "expand/meta_list.h"
#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {

// The panel that holds the function list: at home on the function page, lent
// to the function popup while that is shown. It passes the list's
// notifications to whichever window holds it.
class FuncPanel : public Window {
 public:
  bool Create(HWND parent);
  HWND List() const { return list_; }
  // The function shown in a row: the rows can be reordered by drag, each
  // keeping its function.
  int FunctionAt(int row) const;
  // Drags row from onto row target (-1: below the last); returns the new row.
  int Move(int from, int target);
  // Moves the panel into holder, filling its client area.
  void MoveTo(HWND holder, const RECT& area);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void ShowRows();
  HWND list_ = nullptr;
  std::vector<int> order_;
};

struct MetaWindowServices {
  expand::MetaList& meta;
  options::Settings& settings;
  const EditorCommands& commands;
  // What an editor command run from this window acts on.
  std::function<EditorContext()> editorContext;
  // The clip editors that take a row dragged out of the list.
  TextDropTarget& dropTarget;
  std::function<void(int context)> openHelp;
  // The editor window's status bar, panel 1.
  std::function<void(const std::string& hint)> showHint;
};

class MetaWindow : public Window, private expand::MetaListObserver, private options::SettingsObserver {
 public:
  explicit MetaWindow(const MetaWindowServices& services);
  ~MetaWindow() override;
  bool Create();
  // The add, update and delete dialog (TMetaEdit).
  void SetEditView(expand::MetaEditView* view) { editView_ = view; }

  // Start-up: fills the function page and leaves the window closed on it.
  void InitMeta();
  // Opens on the static-variable page, beside the editor window.
  void ShowMetaList(HWND editor);
  void Close();
  // A row found by the expansion becomes the selected one.
  void SelectRow(int row);
  FuncPanel& Funcs() { return funcPanel_; }
  // The function panel's home on the function page.
  void TakeBackFuncPanel();
  // The function list's notifications while the popup holds it.
  LRESULT OnFuncListNotify(const NMHDR& header, bool inPopup);
  // MMProp without the test items, for the function popup's right button.
  void TrackPropMenu(HWND owner, bool withTests);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void BuildMenu();
  void OnSize();
  void FitColumns();
  void ShowPage(int page);
  int ActivePage() const;
  int SelectedRow() const;
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnMetaListNotify(const NMHDR& header);
  void OnCommand(int id);
  void OnInitMenuPopup(HMENU menu);
  void OnMenuSelect(UINT item, UINT flags);
  void OnContextMenu(HWND from);
  void ApplyGridLines();
  void Add();
  void Update();
  void Delete();
  void Print();
  void RunEditorCommand(int id);
  void BeginDrag(HWND list, int row);
  void OnDragMove(POINT screen);
  void EndDrag(bool drop, POINT screen);
  void Hint(const char* text);
  static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  void OnRowsChanged() override;
  void OnMetaExpandChanged() override {}
  void OnSettingChanged(options::Setting which) override;

  MetaWindowServices s_;
  expand::MetaEditView* editView_ = nullptr;
  HWND tabs_ = nullptr;
  HWND list_ = nullptr;
  FuncPanel funcPanel_;
  MenuHandle menu_;
  HMENU editMenu_ = nullptr, propMenu_ = nullptr;
  GdiObject font_;
  std::string dispText_;  // what the virtual list view shows for the row asked last
  HWND dragList_ = nullptr;
  int dragRow_ = -1;
};

}  // namespace ambrel::win32
