#include "app/app_win32.h"

#include "app/dummy_window_win32.h"
#include "app/logo_window_win32.h"
#include "editor/main_window_win32.h"

namespace ambrel::win32 {

App* App::instance_ = nullptr;

App::App(std::string programFolder)
    : messages(programFolder, &modalHandle), programFolder_(std::move(programFolder)) {
  instance_ = this;
}

App::~App() { instance_ = nullptr; }

bool App::BusyDialogs() const {
  if (modalHandle != 0) return true;
  for (HWND dialog : dialogs_)
    if (IsWindowVisible(dialog)) return true;
  return false;
}

bool App::CreateWindows() {
  logo_ = std::make_unique<LogoWindow>();
  editor_ = std::make_unique<MainWindow>(store);
  dummy_ = std::make_unique<DummyWindow>();
  if (!logo_->Create() || !editor_->Create() || !dummy_->Create()) return false;
  clipboard.SetOwner(logo_->hwnd());
  return true;
}

bool App::RunStartup() {
  editor_->CloseEditor();
  nextViewer = SetClipboardViewer(logo_->hwnd());
  bool ok = true;
  if (!logo_->AddTrayIcon()) {
    messages.ErrorBox("タスクトレーアイコンの常駐に失敗しました。\r\nアプリケーションを終了します。",
                      1104);
    ok = false;
  }
  logo_->PlayAnimation();
  modalHandle = 0;
  return ok;
}

void App::Shutdown() {
  ChangeClipboardChain(logo_->hwnd(), nextViewer);
  logo_->RemoveTrayIcon();
}

}  // namespace ambrel::win32
