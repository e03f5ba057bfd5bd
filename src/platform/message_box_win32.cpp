#include "platform/message_box_win32.h"

#include <mmsystem.h>

#include <optional>

#include "platform/dialog_placement_win32.h"
#include "platform/help_win32.h"

namespace ambrel::win32 {
namespace {

// The box being opened on this thread learns its window handle through a CBT
// hook, so that it can be centred and known to the record of open dialogs.
thread_local OpenDialogs::Scope* tCounted = nullptr;
thread_local HHOOK tHook = nullptr;
thread_local int tHelpContext = 0;

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    CenterDialog(box);
    if (tCounted) tCounted->SetWindow(reinterpret_cast<OpenDialogs::WindowId>(box));
    UnhookWindowsHookEx(tHook);
    tHook = nullptr;
    return 0;
  }
  return CallNextHookEx(tHook, code, wParam, lParam);
}

void CALLBACK HelpCallback(LPHELPINFO) { OpenHelp(tHelpContext); }

UINT IconOf(MsgType type) {
  switch (type) {
    case MsgType::kWarning: return MB_ICONWARNING;
    case MsgType::kError: return MB_ICONERROR;
    case MsgType::kInformation: return MB_ICONINFORMATION;
    case MsgType::kConfirmation: return MB_ICONQUESTION;
  }
  return 0;
}

UINT ButtonsOf(unsigned b) {
  if ((b & kBtnYes) && (b & kBtnNo) && (b & kBtnCancel)) return MB_YESNOCANCEL;
  if ((b & kBtnYes) && (b & kBtnNo)) return MB_YESNO;
  if ((b & kBtnOk) && (b & kBtnCancel)) return MB_OKCANCEL;
  return MB_OK;
}

}  // namespace

MsgResult Win32MessageBoxes::ShowMsgDlg(std::string_view text, MsgType type, unsigned buttons,
                                        int helpContext) {
  const std::string body(text);
  MSGBOXPARAMSA params{};
  params.cbSize = sizeof params;
  params.hwndOwner = GetActiveWindow();
  params.lpszText = body.c_str();
  params.lpszCaption = "Ambrel";
  params.dwStyle = IconOf(type) | ButtonsOf(buttons) | ((buttons & kBtnHelp) ? MB_HELP : 0) |
                   MB_SETFOREGROUND | (params.hwndOwner ? 0 : MB_TASKMODAL);
  params.dwContextHelpId = static_cast<DWORD_PTR>(helpContext);
  params.lpfnMsgBoxCallback = &HelpCallback;

  // A box counts as an open dialog; closing it ends nothing else (a box
  // shown during start-up leaves the program starting up).
  std::optional<OpenDialogs::Scope> counted;
  if (openDialogs_) counted.emplace(*openDialogs_);
  OpenDialogs::Scope* outer = tCounted;
  tCounted = counted ? &*counted : nullptr;
  tHelpContext = helpContext;
  tHook = SetWindowsHookExA(WH_CBT, &CbtProc, nullptr, GetCurrentThreadId());
  const int pressed = MessageBoxIndirectA(&params);
  if (tHook) UnhookWindowsHookEx(tHook);
  tHook = nullptr;
  tCounted = outer;

  switch (pressed) {
    case IDYES: return MsgResult::kYes;
    case IDNO: return MsgResult::kNo;
    case IDCANCEL: return MsgResult::kCancel;
    default: return MsgResult::kOk;
  }
}

void Win32MessageBoxes::PlayWave(const char* file, UINT beep) {
  const std::string path = folder_ + file;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ||
      !PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT))
    MessageBeep(beep);
}

}  // namespace ambrel::win32
