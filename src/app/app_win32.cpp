#include "app/app_win32.h"

#include "app/dummy_window_win32.h"
#include "app/history_file.h"
#include "app/logo_window_win32.h"
#include "app/window_bounds_win32.h"
#include "dialogs/hello_dialog_win32.h"
#include "editor/main_window_win32.h"
#include "expand/expand_dialogs_win32.h"
#include "expand/meta_file.h"
#include "usermenu/post_dialog_win32.h"
#include "usermenu/reg_list_window_win32.h"

namespace ambrel::win32 {

App* App::instance_ = nullptr;

App::App(std::string programFolder)
    : messages(programFolder, &openDialogs),
      files(MakeFiles()),
      programFolder_(std::move(programFolder)) {
  instance_ = this;
  // Before the parameter file is applied, so the hot key and paste key reach
  // the library.
  settings.SetHook(&hookControl);
}

App::~App() { instance_ = nullptr; }

bool App::CreateWindows() {
  logo_ = std::make_unique<LogoWindow>();
  editor_ = std::make_unique<MainWindow>(store, settings);
  hello_ = std::make_unique<HelloDialog>(dialogHost);
  dummy_ = std::make_unique<DummyWindow>();
  expandDialogs_ = std::make_unique<ExpandDialogs>(dialogHost, settings, clipboard, messages, *files, meta);
  postDialog_ = std::make_unique<PostDialog>(dialogHost, store, distributor, messages);
  regList_ = std::make_unique<RegListWindow>(store, settings);
  if (!logo_->Create() || !editor_->Create() || !hello_->Create() || !expandDialogs_->Create() ||
      !postDialog_->Create(regList_.get()) || !regList_->Create(postDialog_.get()) ||
      !dummy_->Create())
    return false;
  expander = &expandDialogs_->Expander();
  clipboard.SetOwner(logo_->hwnd());
  bounds_ = std::make_unique<WindowBounds>(editor_->hwnd());
  bounds_->Attach(app::ParamWindow::kInput, expandDialogs_->InputWindow());
  bounds_->Attach(app::ParamWindow::kList, expandDialogs_->ListWindow());
  bounds_->Attach(app::ParamWindow::kTree, expandDialogs_->TreeWindow());
  params_ = std::make_unique<app::ParamFile>(
      *files, messages, app::ParamTargets{store, settings, meta, bounds_.get()},
      DataFile("Ambrel.prm"));
  return true;
}

bool App::RunStartup() {
  editor_->CloseEditor();
  settings.InitTreeSize(editor_->CenterPanelWidth(), editor_->CenterPanelHeight());
  params_->LoadParams(DataFile("Ambrel.prm"));
  firstRun = params_->FirstRun();
  {
    // One view refresh for the whole file instead of one per clip.
    MainWindow::BatchUpdate batch(*editor_);
    app::StartHistory(store, *files, messages, clipboard, DataFile("Ambrel.hst"), programFolder_);
  }
  editor_->ShowCurrentPage();
  nextViewer = SetClipboardViewer(logo_->hwnd());
  popupRequest = TeskHookControl::InstallHook(logo_->hwnd());
  // A first start applies no parameter file, yet the library needs the hot
  // key and the paste key all the same.
  settings.SetHotKey(settings.HotKey());
  settings.SetPasteMethod(settings.PasteMethod());
  expand::InitMeta(meta, *files, DataFile("Ambrel.mta"));
  if (firstRun) hello_->ShowModal();
  bool ok = true;
  if (!logo_->AddTrayIcon()) {
    messages.ErrorBox("タスクトレーアイコンの常駐に失敗しました。\r\nアプリケーションを終了します。",
                      1104);
    ok = false;
  }
  params_->ApplyLateParams();
  logo_->PlayAnimation();
  openDialogs.FinishStartup();
  return ok;
}

void App::Shutdown() {
  TeskHookControl::RemoveHook();
  ChangeClipboardChain(logo_->hwnd(), nextViewer);
  logo_->RemoveTrayIcon();
  if (settings.SaveHistoryOnExit()) app::SaveHistory(store, *files, DataFile("Ambrel.hst"));
  if (settings.SaveMetaOnExit()) expand::SaveMetaFile(meta, *files, messages, DataFile("Ambrel.mta"));
  if (settings.SaveParamOnExit()) params_->SaveParams(DataFile("Ambrel.prm"));
}

}  // namespace ambrel::win32
