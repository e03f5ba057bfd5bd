// The composition root of the running program: creates the components and
// the windows, gives each what it needs, and runs start-up and shutdown.
// Nothing reaches it from outside src/app: the windows and use cases get
// their parts through their constructors.
#pragma once

#include <windows.h>

#include <future>
#include <memory>
#include <string>
#include <string_view>

#include "app/clipboard_feed_win32.h"
#include "app/copy_capture.h"
#include "app/history_file.h"
#include "app/history_idle_save.h"
#include "app/startup_marks_win32.h"
#include "app/hook_control_win32.h"
#include "app/param_record.h"
#include "app/paste_controller_win32.h"
#include "clipstore/clip_store.h"
#include "editor/editor_commands_win32.h"
#include "expand/meta_list.h"
#include "options/settings.h"
#include "platform/busy_state.h"
#include "platform/clipboard_win32.h"
#include "platform/clock_win32.h"
#include "platform/data_file_saver.h"
#include "platform/files.h"
#include "platform/help_win32.h"
#include "platform/message_box_win32.h"
#include "platform/modal_dialog_win32.h"
#include "platform/open_dialogs.h"
#include "platform/paste_target_win32.h"
#include "platform/save_worker.h"
#include "usermenu/distribution.h"

namespace ambrel::win32 {

class ClipPopup;
class LogoWindow;
class DummyWindow;
class MainWindow;

class WindowBounds;
class PostDialog;
class RegListWindow;
class HelloDialog;
class ExpandDialogs;
class DataCommands;
class FileDialogs;
class MetaWindow;
class MetaEditDialog;
class FuncPopup;
class PreviewWindow;
class VersionDialog;
class OptionDialog;

class App final : private BusyState {
 public:
  explicit App(std::string programFolder);
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  std::string DataFile(std::string_view name) const { return programFolder_ + std::string(name); }

  bool CreateWindows();
  void RunStartup();
  void Shutdown();

  MessageBoxes& Messages() { return messages_; }
  MainWindow& Editor() { return *editor_; }

 private:
  // BusyState: true while a dialog of the program is open or start-up is
  // unfinished.
  bool Busy() const override { return BusyDialogs(); }
  bool StartupFinished() const override { return openDialogs_.StartupFinished(); }
  bool BusyDialogs() const { return openDialogs_.Busy(); }
  // The editor's data commands and the file dialogs they share.
  void RegisterDataCommands();
  // The static-variable window and its dialogs, the preview and the version
  // dialog, and the editor commands they carry out.
  bool CreateMetaWindows();
  void RegisterMetaCommands();
  void ShowPreview(const clipstore::Clip* clip);
  // The properties dialog and the editor font, for the editor and the tray.
  void RegisterPropertyCommands();

  std::string programFolder_;
  // Every dialog and message box of the program counts here while open.
  OpenDialogs openDialogs_;
  DialogHost dialogHost_{openDialogs_, &OpenHelp};
  bool firstRun_ = false;

  StartupMarks marks_;  // first, so that its clock starts with the program
  clipstore::PopupLayout layout_;
  clipstore::TClipBase store_{layout_};
  options::Settings settings_;
  expand::MetaList meta_;
  Win32Clipboard clipboard_;
  Win32MessageBoxes messages_;
  std::unique_ptr<Files> files_;
  Win32Clock clock_;
  // Where each data file's saves go and what the user hears of them; the
  // file read at start-up decides (see DataFileSaver). The originals' side
  // file is saved beside every save of the history.
  DataFileSaver historySaver_, metaSaver_, paramSaver_, originalsSaver_;
  // Writes the history and its side file off the UI thread; made before and
  // ended after everything that hands it saves.
  SaveWorker saveWorker_{*files_};
  // The history file, read while the windows are made (see CreateWindows).
  std::future<app::PreparedHistory> historyAhead_;
  // The hot key, paste key and menu link reach the hook library through it.
  TeskHookControl hookControl_;
  // Posts the matching parts of every recorded copy into the user menus.
  usermenu::Distributor distributor_{store_, settings_, messages_};
  // What a clipboard change records, and how the program hears of one (the
  // resident window passes its messages on).
  app::ClipboardCapture capture_{settings_, clipboard_, store_, distributor_, messages_};
  ClipboardFeed clipboardFeed_{capture_};
  // The history saved a while after the store's last change.
  app::HistoryIdleSave idleSave_;
  // Set by the clip menu when it opens over a window; read by the paste.
  PasteTarget pasteTarget_;
  PasteController paste_{
      PasteServices{store_, settings_, meta_, clipboard_, messages_, *this, pasteTarget_}};

  // The editor's commands that other windows carry out, registered here.
  // Made before the windows, which take it; its two hooks reach the
  // static-variable windows, made later, through App (see the constructor).
  EditorCommands editorCommands_;

  std::unique_ptr<LogoWindow> logo_;
  std::unique_ptr<ClipPopup> popup_;
  std::unique_ptr<MainWindow> editor_;
  std::unique_ptr<HelloDialog> hello_;
  std::unique_ptr<DummyWindow> dummy_;
  std::unique_ptr<ExpandDialogs> expandDialogs_;
  std::unique_ptr<PostDialog> postDialog_;
  std::unique_ptr<RegListWindow> regList_;
  std::unique_ptr<MetaWindow> metaWindow_;
  std::unique_ptr<MetaEditDialog> metaEdit_;
  std::unique_ptr<FuncPopup> funcPopup_;
  std::unique_ptr<PreviewWindow> preview_;
  std::unique_ptr<VersionDialog> version_;
  std::unique_ptr<OptionDialog> options_;
  std::unique_ptr<WindowBounds> bounds_;
  std::unique_ptr<app::ParamFile> params_;
  std::unique_ptr<FileDialogs> fileDialogs_;
  std::unique_ptr<DataCommands> dataCommands_;
};

}  // namespace ambrel::win32
