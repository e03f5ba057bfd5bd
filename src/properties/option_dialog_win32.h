// TOption: the properties dialog. Shows every setting on six pages (the
// Debug page's tab only after the hidden button in the corner), checks the
// entered values and applies them at once through the settings' setters.
#pragma once

#include <windows.h>

#include <functional>

#include "options/option_values.h"
#include "options/settings_table.h"
#include "platform/handles_win32.h"
#include "platform/modal_dialog_win32.h"
#include "properties/option_steps.h"

namespace ambrel {
class MessageBoxes;
}

namespace ambrel::win32 {

// What the dialog needs of the program besides the settings.
struct OptionServices {
  MessageBoxes& messages;
  // The two message numbers shown on the Debug page.
  std::function<unsigned()> pasteMessage;
  std::function<unsigned()> popupMessage;
  // The editor's centre panel, for the tree sizes shown on the Debug page.
  std::function<SIZE()> centerPanel;
  std::function<void()> closeEditor;  // after QUIT
  std::function<void()> endProgram;   // after DirectQuit, as the program's quit command
  std::function<void()> showLogo;
  std::function<void()> showHello;
  std::function<void()> runDemoWork;
  // The data files DirectQuit deletes: the parameters, the history, the static variables.
  std::string paramFile, historyFile, metaFile;
};

class OptionDialog : public ModalDialog, private options::SettingsObserver {
 public:
  OptionDialog(DialogHost& host, const properties::OptionHolders& holders, OptionServices services);
  ~OptionDialog() override;
  // Made on first use by ShowProperties: some 150 controls, a fifth of the
  // program's start-up under Wine when made with the other windows.
  bool Create();
  // Runs the dialog over owner (null: over the screen); true when closed with OK.
  bool ShowProperties(HWND owner);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnSettingChanged(options::Setting which) override;
  int HelpContextAt(HWND focus) const override;
  bool PreTranslateKey(const MSG& msg) override;
  void OnCreate();
  void OnCommand(int id, int code);
  void OnNotify(const NMHDR& header);
  void OnSetCursor(HWND over);
  bool OnConfirm(bool quit);
  void OnDebugButton();
  void OnFontButton();
  void OnDirectQuit();
  void OnLogoButton();
  void ShowPage(int page);
  int CurrentPage() const;
  void PlaceControls();
  void ApplyTabStyle();
  void ClampSpin(int editId);
  void LoadControls();
  void LoadControl(const options::SettingRow& row, const options::OptionValues& v);
  options::OptionValues ReadControls() const;
  void ReadControl(const options::SettingRow& row, options::OptionValues& v) const;
  void ShowHint(const char* hint);
  HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

  DialogHost& dialogHost_;
  properties::OptionHolders holders_;
  OptionServices s_;
  options::EditorFont buttonFont_;
  GdiObject buttonFontHandle_;
  bool quit_ = false;
  bool debugTab_ = false;
};

}  // namespace ambrel::win32
