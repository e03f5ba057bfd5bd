#include "dialogs/version_dialog_win32.h"

#include <vector>

#include "dialogs/version_text.h"
#include "version/version.h"

namespace ambrel::win32 {

std::string LibraryVersion(const char* moduleName) {
  HMODULE module = GetModuleHandleA(moduleName);
  char path[MAX_PATH] = {};
  if (!module || !GetModuleFileNameA(module, path, MAX_PATH)) return {};
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return {};
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path, 0, size, block.data())) return {};
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info) return {};
  return dialogs::VersionLine(HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS));
}

bool VersionDialog::Create() {
  return CreateDialogWindow("TAbout", "バージョン情報", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                            180, 84);
}

void VersionDialog::OnCreate() {
  const DialogUnits& du = Units();
  HWND icon = AddControl("STATIC", "", SS_ICON, 0);
  SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1))), 0);
  MoveWindow(icon, du.X(10), du.Y(10), 32, 32, FALSE);
  HWND name = AddControl("STATIC", kProgramName, SS_LEFT | SS_NOPREFIX, 0);
  MoveWindow(name, du.X(45), du.Y(10), du.X(125), du.Y(10), FALSE);
  const std::string program = dialogs::VersionLine(AMBREL_VERSION_MAJOR, AMBREL_VERSION_MINOR);
  HWND version = AddControl("STATIC", program.c_str(), SS_LEFT | SS_NOPREFIX, 0);
  MoveWindow(version, du.X(45), du.Y(22), du.X(125), du.Y(10), FALSE);
  library_ = AddControl("STATIC", "", SS_LEFT | SS_NOPREFIX, 0);
  MoveWindow(library_, du.X(45), du.Y(34), du.X(125), du.Y(10), FALSE);
  HWND ok = AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
  MoveWindow(ok, du.X(65), du.Y(62), du.X(50), du.Y(14), FALSE);
}

LRESULT VersionDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndModal(LOWORD(wParam) == IDOK);
      return 0;
    default: return ModalDialog::HandleMessage(msg, wParam, lParam);
  }
}

void VersionDialog::ShowModal(HWND owner) {
  const std::string library = LibraryVersion("Tesk.dll");
  const std::string line = "Tesk.dll  " + (library.empty() ? std::string("?") : library);
  SetWindowTextA(library_, line.c_str());
  RunModal(owner, GetDlgItem(hwnd(), IDOK));
}

}  // namespace ambrel::win32
