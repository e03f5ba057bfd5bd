// What the list picker TList and the tree picker TTree share: a view that
// fills the window above the button row, a pop-up menu whose item hints show
// in the button row while it is open, selection that follows the mouse when
// the picker's auto-select setting is on, labels editable only through the
// menu's edit command, and the end of the dialog.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>
#include <vector>

#include "expand/work_jobs.h"
#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/modal_dialog_win32.h"

namespace ambrel::win32 {

class WorkDialog;

// One item of a picker's menu: id 0 is a separator; items after an entry
// with submenu set go into that submenu up to the next entry with endSubmenu.
struct PickerMenuItem {
  int id;
  const char* text;
  const char* hint;  // begins with "Menu", which is not shown
  bool submenu = false;
  bool endSubmenu = false;
};

class PickerDialog : public ModalDialog, public options::SettingsObserver {
 public:
  static constexpr int kViewId = 101, kNameId = 102;
  // The row of the name label in the button row, which shows the menu's hints.
  static constexpr DialogControl NameLabel(const char* text) {
    return {kNameId, "STATIC", text, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0, 0, 0, 0};
  }

  PickerDialog(DialogHost& host, int helpContext, options::Settings& settings, WorkDialog& work, Files& files,
               FileSystem& fileSystem);
  ~PickerDialog() override;
  void OnSettingChanged(options::Setting which) override {
    if (view_) ApplySetting(which);
  }

 protected:
  struct Shape {
    const char* className;
    const char* caption;
    // The view (kViewId) and the name label (kNameId), placed by the picker's
    // layout; the button row follows them.
    std::span<const DialogControl> controls;
    int widthUnits, heightUnits, minWidthUnits, minHeightUnits;
    std::span<const PickerMenuItem> menu;
  };
  bool CreatePicker(const Shape& shape);
  // Sets up the view control once it is created (view_).
  virtual void SetUpView() = 0;
  // Enables and checks the items before the menu opens.
  virtual void UpdateMenu(HMENU menu) = 0;
  virtual void OnMenuCommand(int id) = 0;
  virtual LRESULT OnViewNotify(NMHDR* header) = 0;
  virtual void OnViewMouseMove(POINT at) = 0;
  virtual void OnViewResized() {}
  virtual void CancelLabelEdit() = 0;
  // The rows for printing, after the caption as title.
  virtual std::vector<std::string> PrintedRows() const = 0;
  // A setting changed (the view exists).
  virtual void ApplySetting(options::Setting which) = 0;

  bool RunPicker() { return RunModal(nullptr, view_); }
  void Close(bool ok);
  void Print();
  // Starts a label edit through the menu's edit command.
  void AllowLabelEdit() { labelEditAllowed_ = true; }
  // The view's begin- and end-label-edit notifications: whether to refuse.
  bool RefuseLabelEdit();
  void LabelEditEnded();
  void CheckItem(HMENU menu, int id, bool on);

  options::Settings& settings_;
  WorkDialog& work_;
  Files& files_;
  FileSystem& fileSystem_;
  HWND view_ = nullptr;
  bool editing_ = false;

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  static LRESULT CALLBACK ViewProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void OnCreate();
  void OnSize(int width, int height);
  void OnCommand(int id);
  void OnContextMenu(int x, int y);
  void OnMenuSelect(int id, HMENU menu, UINT flags);
  void ShowMenuHints(bool on);
  void BuildMenu();

  Shape shape_{};
  HWND name_ = nullptr;
  const char* nameLabel_ = "";
  MenuHandle menu_;
  bool labelEditAllowed_ = false;
};

}  // namespace ambrel::win32
