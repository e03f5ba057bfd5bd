// TMetaEdit: the dialog that adds, updates or deletes one static variable:
// the meta character after a fixed "$" (a TMetaSelect field stepped by
// Up/Down and an up-down control) and the function name or text in a rich
// edit (the editor font, no word wrap) with its tool bar. While it is shown
// its rich edit is the editor window's current editor, so the tool bar's
// load, save, print and edit-menu buttons, and the rich edit's context menu,
// send the editor window its own commands. The tool bar follows the
// PopupHint and MultiLineBar settings; hints show in status panel 1.
#pragma once

#include <functional>
#include <string>

#include "editor/edit_bar_win32.h"
#include "expand/meta_edit.h"
#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/message_box.h"
#include "platform/modal_dialog_win32.h"

namespace ambrel::win32 {

class MetaEditDialog : public ModalDialog, public expand::MetaEditView, private options::SettingsObserver {
 public:
  // The id of FuncBtn's WM_COMMAND.
  static constexpr int kFuncButtonId = 114;
  // showFuncPopup: FuncBtn opens the function popup over the rich edit;
  // onHidden: the dialog hides (the function popup goes with it).
  MetaEditDialog(DialogHost& host, MessageBoxes& messages, options::Settings& settings,
                 std::function<void()> showFuncPopup, std::function<void()> onHidden);
  ~MetaEditDialog() override;
  bool Create();
  // The list window it stands beside and the editor window its tool bar
  // commands go to.
  void SetWindows(HWND metaWindow, HWND editorWindow) {
    metaWindow_ = metaWindow;
    editorWindow_ = editorWindow;
  }
  bool RunMetaEdit(expand::MetaEditMode mode, std::string& key, std::string& data) override;
  // The rich edit: the current editor while the dialog is visible.
  HWND RichEdit() const { return edit_; }
  // StrBox, the frame whose coordinates place the function popup.
  HWND StrBox() const { return strBox_; }
  // Status panel 1: the hint under the pointer or of the menu item.
  void ShowStatus(const std::string& text);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateKey(const MSG& msg) override;
  void OnModalEnding() override;
  void OnModalShown() override { Place(); }
  void OnCreate();
  void OnSize(int width, int height);
  void OnCommand(int id, int code);
  void OnOk();
  void Step(bool up);
  void Place();
  void ApplyEditorFont();
  void OnSettingChanged(options::Setting which) override;
  static LRESULT CALLBACK HintProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static LRESULT CALLBACK KeyProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  MessageBoxes& messages_;
  options::Settings& settings_;
  std::function<void()> showFuncPopup_;
  std::function<void()> onHidden_;
  HWND metaWindow_ = nullptr, editorWindow_ = nullptr;
  HWND key_ = nullptr, upDown_ = nullptr, strBox_ = nullptr, edit_ = nullptr, status_ = nullptr;
  EditBar bar_;
  ImageListHandle toolImages_;
  expand::MetaEditMode mode_ = expand::MetaEditMode::kAdd;
  std::string keyBefore_;  // the meta character before the field last changed
};

}  // namespace ambrel::win32
