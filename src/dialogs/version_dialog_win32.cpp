#include "dialogs/version_dialog_win32.h"

#include <vector>

#include "dialogs/version_text.h"
#include "hooklib/tesk_win32.h"
#include "version/version.h"

namespace ambrel::win32 {
namespace {

enum ControlId : int { kIconId = 100, kNameId, kVersionId, kLibraryId, kLibraryFileId };
// The icon is sized in pixels (its own size), not in dialog units.
constexpr int kIconPixels = 32;
const DialogControl kControls[] = {
    {kIconId, "STATIC", "", SS_ICON, 10, 10, 0, 0},
    {kNameId, "STATIC", kProgramName, SS_LEFT | SS_NOPREFIX, 45, 10, 125, 10},
    {kVersionId, "STATIC", "", SS_LEFT | SS_NOPREFIX, 45, 22, 125, 10},
    {kLibraryId, "STATIC", "", SS_LEFT | SS_NOPREFIX, 45, 34, 125, 10},
    {kLibraryFileId, "STATIC", "", SS_LEFT | SS_NOPREFIX, 45, 46, 125, 10},
    {IDOK, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 65, 66, 50, 14},
};

}  // namespace

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
                            180, 88);
}

void VersionDialog::OnCreate() {
  AddControls(kControls);
  PlaceControls(kControls);
  HWND icon = GetDlgItem(hwnd(), kIconId);
  SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1))), 0);
  MoveWindow(icon, Units().X(kControls[0].x), Units().Y(kControls[0].y), kIconPixels, kIconPixels, FALSE);
  const std::string program = dialogs::VersionLine(AMBREL_VERSION_MAJOR, AMBREL_VERSION_MINOR);
  SetWindowTextA(GetDlgItem(hwnd(), kVersionId), program.c_str());
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

// The library's number is the one it reports itself; its file's version
// resource stands below it ("?" when the file has none).
void VersionDialog::ShowModal(HWND owner) {
  const std::string number = std::string(kTeskModuleName) + "  Ver " + dialogs::LibraryVersionNumber(GetDllVersion());
  SetWindowTextA(GetDlgItem(hwnd(), kLibraryId), number.c_str());
  const std::string file = LibraryVersion(kTeskModuleName);
  const std::string fileLine = "(ファイル " + (file.empty() ? std::string("?") : file) + ")";
  SetWindowTextA(GetDlgItem(hwnd(), kLibraryFileId), fileLine.c_str());
  RunModal(owner, GetDlgItem(hwnd(), IDOK));
}

}  // namespace ambrel::win32
