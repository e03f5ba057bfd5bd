#include "app/paste_controller_win32.h"

#include <windows.h>

#include "app/clip_choice.h"
#include "app/paste_reach.h"
#include "expand/meta_list.h"
#include "hooklib/tesk_win32.h"
#include "hooklib/union_data.h"
#include "options/settings.h"
#include "platform/handles_win32.h"
#include "platform/message_box.h"
#include "platform/sjis_unicode_win32.h"

namespace ambrel::win32 {
namespace {

bool KeyDown(int vk) { return (GetKeyState(vk) & 0x80) != 0; }

// A hook library of one bitness is never loaded into a process of the other.
bool OtherBitness(HANDLE process) {
  BOOL targetWow = FALSE, ownWow = FALSE;
  if (!IsWow64Process(process, &targetWow) || !IsWow64Process(GetCurrentProcess(), &ownWow))
    return false;  // cannot tell: let the request try
  return targetWow != ownWow;
}

bool CompanionServes() {
  const KernelHandle event(OpenEventA(SYNCHRONIZE, FALSE, hooklib::kCompanionHooksName));
  return static_cast<bool>(event);
}

// The RID of the process token's mandatory label; 0 when it cannot be read.
std::uint32_t IntegrityLevel(HANDLE process) {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) return 0;
  const KernelHandle token(raw);
  alignas(TOKEN_MANDATORY_LABEL) unsigned char buffer[64] = {};
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer, sizeof buffer, &size)) return 0;
  const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
  const UCHAR count = *GetSidSubAuthorityCount(sid);
  return count == 0 ? 0 : *GetSidSubAuthority(sid, count - 1);
}

app::PasteReach ReachOf(DWORD processId) {
  const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return app::PasteReach::kReachable;  // cannot tell: let the request try
  app::PasteTargetFacts facts;
  facts.otherBitness = OtherBitness(process.get());
  facts.otherBitnessServed = facts.otherBitness && CompanionServes();
  facts.targetIntegrity = IntegrityLevel(process.get());
  facts.ownIntegrity = IntegrityLevel(GetCurrentProcess());
  return app::DecidePasteReach(facts);
}

}  // namespace

// Asks the library inside the target's thread to paste what is on the
// clipboard; tells the user when the request cannot get there.
void PasteController::PostPasteRequest(HWND target) {
  if (!target || !IsWindow(target)) {
    s_.messages.ErrorBox(
        "貼り付け先のウィンドウが見つかりません。\r\n選んだテキストはクリップボードにあります。", 0);
    return;
  }
  DWORD processId = 0;
  const DWORD thread = GetWindowThreadProcessId(target, &processId);
  const WPARAM byKeys = static_cast<WPARAM>(s_.settings.PasteByKeys());
  const app::PasteReach reach = ReachOf(processId);
  if (reach != app::PasteReach::kReachable) {
    s_.messages.ErrorBox(app::PasteReachMessage(reach), 0);
    return;
  }
  if (!PostThreadMessageA(thread, GetPasteMsgNo(), byKeys, reinterpret_cast<LPARAM>(target)))
    s_.messages.ErrorBox(app::PasteReachMessage(app::PasteReach::kHookAbsent), 0);
}

void PasteController::ChooseClip(int pageIndex, bool asPopup, const ChoiceView& view) {
  if (pageIndex < 0 || pageIndex >= s_.store.PageCount()) return;
  app::ChoiceInput input;
  input.asPopup = asPopup;
  input.ctrl = KeyDown(VK_CONTROL);
  input.shift = KeyDown(VK_SHIFT);
  input.isStatic = app::IsStaticClip(s_.store.Page(pageIndex));
  input.busyDialogs = s_.busy.Busy();

  switch (app::DecideChoice(input)) {
    case app::ChoiceAction::kSelect: view.selectPage(pageIndex); break;
    case app::ChoiceAction::kEdit:
      view.selectPage(pageIndex);
      view.showEditor();
      view.selectPage(pageIndex);
      break;
    case app::ChoiceAction::kMakeStatic:
      s_.store.MakeStatic(pageIndex);
      view.showEditor();
      break;
    case app::ChoiceAction::kPaste:
    case app::ChoiceAction::kPasteQuoted: {
      const bool quote = input.ctrl;
      const std::u16string quoteUnicode = UnicodeFromSjis(s_.settings.Quote());
      const app::PasteSettings settings{s_.meta.MetaExpand(), s_.settings.Quote(), quoteUnicode};
      if (app::PrepareClipPaste(s_.store, pageIndex, quote, settings, expander_, s_.clipboard))
        PostPasteRequest(s_.target.Get());
      break;
    }
    case app::ChoiceAction::kNothing: break;
  }
}

std::optional<std::string> PasteController::PreviewText(const clipstore::Clip& clip) const {
  // The keys as they are now: the command may come from a tool button or a
  // message without the key's own message handled yet.
  const bool ctrl = GetAsyncKeyState(VK_CONTROL) < 0, shift = GetAsyncKeyState(VK_SHIFT) < 0;
  const app::PasteSettings settings{s_.meta.MetaExpand(), s_.settings.Quote(), {}};
  expand::ExpandResult prepared = app::PrepareClipText(clip, ctrl && !shift, settings, expander_);
  if (!prepared.goAhead) return std::nullopt;
  return std::move(prepared.text);
}

}  // namespace ambrel::win32
