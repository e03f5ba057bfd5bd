#include "clipstore/clip_choice_win32.h"

#include <windows.h>

#include "app/app_win32.h"
#include "app/popup_win32.h"
#include "clipstore/clip_choice.h"
#include "hooklib/tesk_win32.h"

namespace ambrel::win32 {
namespace {

bool KeyDown(int vk) { return (GetKeyState(vk) & 0x80) != 0; }

// A hook library of one bitness is never loaded into a process of the other,
// so nobody there would take the paste request.
bool SameBitness(HANDLE process) {
  BOOL targetWow = FALSE, ownWow = FALSE;
  if (!IsWow64Process(process, &targetWow) || !IsWow64Process(GetCurrentProcess(), &ownWow))
    return true;  // cannot tell: let the request try
  return targetWow == ownWow;
}

bool HookCanEnter(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return true;
  const bool same = SameBitness(process);
  CloseHandle(process);
  return same;
}

// Asks the library inside the target's thread to paste what is on the
// clipboard; tells the user when the request cannot get there.
void PostPasteRequest(App& app, HWND target) {
  if (!target || !IsWindow(target)) {
    app.messages.ErrorBox(
        "貼り付け先のウィンドウが見つかりません。\r\n選んだテキストはクリップボードにあります。", 0);
    return;
  }
  DWORD processId = 0;
  const DWORD thread = GetWindowThreadProcessId(target, &processId);
  const WPARAM byKeys = static_cast<WPARAM>(app.settings.PasteByKeys());
  if (!HookCanEnter(processId) ||
      !PostThreadMessageA(thread, GetPasteMsgNo(), byKeys, reinterpret_cast<LPARAM>(target))) {
    app.messages.ErrorBox(
        "このアプリケーションには自動で貼り付けできません。\r\n選んだテキストはクリップボードにあります。",
        0);
  }
}

}  // namespace

void HandleClipChoice(int pageIndex, const ChoiceView& view) {
  App& app = App::Get();
  if (pageIndex < 0 || pageIndex >= app.store.PageCount()) return;
  const clipstore::MenuItem* guidance = app.layout.Find("MMMenuMenu");
  clipstore::ChoiceInput input;
  input.asPopup = guidance && guidance->enabled;
  input.ctrl = KeyDown(VK_CONTROL);
  input.shift = KeyDown(VK_SHIFT);
  input.isStatic = clipstore::IsStaticClip(app.store.Page(pageIndex));
  input.busyDialogs = app.BusyDialogs();

  switch (clipstore::DecideChoice(input)) {
    case clipstore::ChoiceAction::kSelect: view.selectPage(pageIndex); break;
    case clipstore::ChoiceAction::kEdit:
      view.selectPage(pageIndex);
      view.showEditor();
      view.selectPage(pageIndex);
      break;
    case clipstore::ChoiceAction::kMakeStatic:
      app.store.MakeStatic(pageIndex);
      view.showEditor();
      break;
    case clipstore::ChoiceAction::kPaste:
    case clipstore::ChoiceAction::kPasteQuoted: {
      const bool quote = input.ctrl;
      const clipstore::PasteSettings settings{app.meta.MetaExpand(), app.settings.Quote()};
      if (clipstore::PrepareClipPaste(app.store, pageIndex, quote, settings, app.expander,
                                      app.clipboard))
        PostPasteRequest(app, PasteTarget());
      break;
    }
    case clipstore::ChoiceAction::kNothing: break;
  }
}

}  // namespace ambrel::win32
