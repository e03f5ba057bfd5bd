// Program entry: one instance, the windows, the start-up sequence and the
// message loop.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/app_win32.h"
#include "editor/main_window_win32.h"
#include "help_contexts.h"
#include "platform/fault_barrier_win32.h"
#include "platform/handles_win32.h"
#include "platform/sjis.h"
#include "platform/system_library_win32.h"
#include "version/version.h"

namespace {

std::string ModulePath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// Folder with its trailing separator, and the file name.
std::string FolderOf(const std::string& path) { return path.substr(0, ambrel::sjis::FindLastOf(path, "\\/") + 1); }
std::string FileNameOf(const std::string& path) { return path.substr(ambrel::sjis::FindLastOf(path, "\\/") + 1); }

int RunMessageLoop(ambrel::win32::App& app) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    try {
      if (app.Editor().PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } catch (...) {
      ambrel::win32::ReportFault();
    }
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ambrel::win32::RestrictLibrarySearch();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  const std::string exe = ModulePath();
  ambrel::win32::App app(FolderOf(exe));

  // The mutex of the running copy stays open for the life of the process.
  const ambrel::win32::KernelHandle mutex(CreateMutexA(nullptr, FALSE, "Ambrel"));
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
    app.Messages().ErrorBox(ambrel::AlreadyRunningMessage(FileNameOf(exe)), ambrel::kHelpAlreadyRunning);
    return 0;
  }

  if (!app.CreateWindows()) return 1;
  app.RunStartup();
  return RunMessageLoop(app);
}
