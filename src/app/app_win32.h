// Process-wide state of the running program and the components it owns.
// One instance, created in WinMain and reachable from every window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/hook_control_win32.h"
#include "app/param_record.h"
#include "clipstore/clip_store.h"
#include "expand/clip_expander.h"
#include "usermenu/distribution.h"
#include "expand/meta_list.h"
#include "options/settings.h"
#include "platform/clipboard_win32.h"
#include "platform/files.h"
#include "platform/help_win32.h"
#include "platform/message_box_win32.h"
#include "platform/modal_dialog_win32.h"
#include "platform/open_dialogs.h"

namespace ambrel::win32 {

class LogoWindow;
class DummyWindow;
class MainWindow;

class WindowBounds;
class PostDialog;
class RegListWindow;
class HelloDialog;
class ExpandDialogs;

class App {
 public:
  explicit App(std::string programFolder);
  ~App();
  static App& Get() { return *instance_; }

  const std::string& ProgramFolder() const { return programFolder_; }
  std::string DataFile(const char* name) const { return programFolder_ + name; }

  // True while a dialog of the program is open or start-up is unfinished.
  bool BusyDialogs() const { return openDialogs.Busy(); }

  bool CreateWindows();
  bool RunStartup();
  void Shutdown();

  // Process-wide state.
  HWND nextViewer = nullptr;
  UINT popupRequest = static_cast<UINT>(-1);
  HWND targetWindow = nullptr;
  bool firstRun = false;
  // Every dialog and message box of the program counts here while open.
  OpenDialogs openDialogs;
  DialogHost dialogHost{openDialogs, &OpenHelp};

  clipstore::PopupLayout layout;
  clipstore::TClipBase store{layout};
  options::Settings settings{store};
  expand::MetaList meta;
  Win32Clipboard clipboard;
  Win32MessageBoxes messages;
  std::unique_ptr<Files> files;
  // The hot key, paste key and menu link reach the hook library through it.
  TeskHookControl hookControl{&popupRequest};
  // Expands static clips at paste time (set when the windows are created).
  expand::ClipExpander* expander = nullptr;
  // Posts the matching parts of every recorded copy into the user menus.
  usermenu::Distributor distributor{store, settings, messages};

  LogoWindow& Logo() { return *logo_; }
  MainWindow& Editor() { return *editor_; }
  DummyWindow& Dummy() { return *dummy_; }
  ExpandDialogs& Expansion() { return *expandDialogs_; }
  PostDialog& UserMenuDialog() { return *postDialog_; }

 private:
  static App* instance_;
  std::string programFolder_;
  std::unique_ptr<LogoWindow> logo_;
  std::unique_ptr<MainWindow> editor_;
  std::unique_ptr<HelloDialog> hello_;
  std::unique_ptr<DummyWindow> dummy_;
  std::unique_ptr<ExpandDialogs> expandDialogs_;
  std::unique_ptr<PostDialog> postDialog_;
  std::unique_ptr<RegListWindow> regList_;
  std::unique_ptr<WindowBounds> bounds_;
  std::unique_ptr<app::ParamFile> params_;
};

}  // namespace ambrel::win32
