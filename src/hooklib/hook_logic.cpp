#include "hooklib/hook_logic.h"

#include "hooklib/virtual_keys.h"

namespace ambrel::hooklib {
namespace {

constexpr std::int32_t kPositionBase = 10000;

std::int32_t Clamp(std::int32_t v) noexcept {
  if (v < 0) return 0;
  if (v >= kPositionBase) return kPositionBase - 1;
  return v;
}

bool StartsWith(const char* text, const char* prefix) noexcept {
  for (; *prefix; ++text, ++prefix)
    if (*text != *prefix) return false;
  return true;
}

// The window in the target's thread that takes the paste. Another thread may
// have made the target the foreground already while the activation that
// gives it the focus still waits in this thread's queue: then there is no
// focus yet, and activating the target here gives it one at once.
Handle PasteFocus(HookSystem& system, Handle target) noexcept {
  if (system.GetForegroundWindow() != target) system.SetForegroundWindow(target);
  Handle focus = system.GetFocus();
  if (focus == 0) {
    system.SetActiveWindow(target);
    focus = system.GetFocus();
  }
  return focus != 0 ? focus : target;
}

// The paste keystroke runs inside the target thread, whose keyboard state is
// its own: the modifier is pressed in that state only, and released by a
// message the thread takes after the two key messages.
void PasteByKeystroke(HookState& state, HookSystem& system, Handle target) noexcept {
  const UnionData& s = state.localCopy;
  const Handle focus = PasteFocus(system, target);
  system.GetKeyboardState(state.keyState);
  state.keyState[kVkShift] = 0;
  state.keyState[kVkControl] = 0;
  state.keyState[s.PasteModifier & 0xFF] = kKeyDown;
  system.SetKeyboardState(state.keyState);
  const auto scan = static_cast<std::intptr_t>(system.OemKeyScan(s.PasteKey) & 0xFF);
  system.PostMessage(focus, kWmKeyDown, s.PasteKey, scan << 16);
  system.PostMessage(focus, kWmKeyUp, s.PasteKey,
                     static_cast<std::intptr_t>((static_cast<std::uint32_t>(scan) << 16) +
                                                0xC0000001u));
  system.PostToOwnThread(state.pasteMessage, kReleaseModifier, 0);
}

void ReleaseModifier(HookState& state, HookSystem& system) noexcept {
  system.GetKeyboardState(state.keyState);
  state.keyState[state.localCopy.PasteModifier & 0xFF] = 0;
  system.SetKeyboardState(state.keyState);
}

void OnPasteMessage(HookState& state, HookSystem& system, HookMsg& msg, bool& rewritten) noexcept {
  switch (msg.wParam) {
    case kPasteByMessage: {
      msg = HookMsg{PasteFocus(system, static_cast<Handle>(msg.lParam)), kWmPaste, 0, 0};
      rewritten = true;
      break;
    }
    case kPasteByKeys: PasteByKeystroke(state, system, static_cast<Handle>(msg.lParam)); break;
    case kReleaseModifier: ReleaseModifier(state, system); break;
    case kReloadSettings: LoadSettings(state, system); break;
    default: break;
  }
}

// A Paste item of an edit control's menu keeps its caption but gets the id
// whose choice pops the program's menu up instead.
void OnMenuSelect(HookState& state, HookSystem& system, std::uintptr_t wParam,
                  std::intptr_t lParam) noexcept {
  const UnionData& s = state.localCopy;
  const auto selection = static_cast<std::uint16_t>(wParam & 0xFFFF);
  const auto menu = static_cast<Handle>(lParam);
  const auto pasteId = static_cast<std::uint32_t>(s.MenuId - 1);
  const auto pasteSelection = static_cast<std::uint16_t>(pasteId & 0xFFFF);
  if (s.EditLink != 0 && selection == kEditPasteId && menu == state.renumberedMenu &&
      state.lastMenuSelection == pasteSelection)
    return;
  state.lastMenuSelection = selection;
  if (s.EditLink == 0 || selection != kEditPasteId) return;
  if (!IsPasteItem(state, system, menu, kEditPasteId, MenuBy::kCommand)) return;
  system.ReplaceItemId(menu, kEditPasteId, pasteId, state.caption);
  state.renumberedMenu = menu;
  state.lastMenuSelection = pasteSelection;
}

}  // namespace

std::int32_t PackPosition(Point point) noexcept {
  return Clamp(point.y) * kPositionBase + Clamp(point.x);
}

Point UnpackPosition(std::uint32_t packed) noexcept {
  return Point{static_cast<std::int32_t>(packed % kPositionBase),
               static_cast<std::int32_t>(packed / kPositionBase)};
}

bool IsPasteCaption(const char* caption) noexcept {
  return StartsWith(caption, "貼り付け") || StartsWith(caption, "&Paste");
}

bool HotModifiersMatch(const UnionData& settings, const std::uint8_t state[256]) noexcept {
  return (state[kVkShift] & kKeyDown) == settings.HotShift &&
         (state[kVkControl] & kKeyDown) == settings.HotCtrl &&
         (state[kVkMenu] & kKeyDown) == settings.HotAlt;
}

void LoadSettings(HookState& state, HookSystem& system) noexcept {
  // Read aside and checked before it replaces the copy other threads read.
  UnionData fresh = state.localCopy;
  if (!system.ReloadSettings(fresh)) return;
  SanitizeSettings(fresh);
  state.localCopy = fresh;
}

void EnsureSettings(HookState& state, HookSystem& system) noexcept {
  if (state.loadTried) return;
  state.loadTried = true;
  if (state.pasteMessage == 0) state.pasteMessage = system.RegisterPasteMessage();
  LoadSettings(state, system);
}

bool IsPasteItem(HookState& state, HookSystem& system, Handle menu, std::uint32_t item,
                 MenuBy by) noexcept {
  state.caption[0] = '\0';
  system.GetMenuString(menu, item, by, state.caption, kCaptionBufferSize);
  state.caption[kCaptionBufferSize - 1] = '\0';
  return IsPasteCaption(state.caption);
}

bool IsProgramProcess(const HookState& state, HookSystem& system) noexcept {
  return system.IsCurrentProcessWindow(state.localCopy.OwnerWindow);
}

void PostPopupRequest(const HookState& state, HookSystem& system) noexcept {
  Point point;
  if (system.GetCaretPos(point) && point.x + point.y != 0) {
    system.ClientToScreen(system.GetFocus(), point);
  } else {
    system.GetCursorPos(point);
  }
  system.PostMessage(state.localCopy.OwnerWindow, system.RegisterPopupRequest(), 0,
                     PackPosition(point));
}

bool OnGetMessage(HookState& state, HookSystem& system, int code, std::uintptr_t removal,
                  HookMsg& msg) noexcept {
  EnsureSettings(state, system);
  if (code != kHcAction || removal != kPmRemove) return false;
  const UnionData& s = state.localCopy;
  if (msg.message == kWmKeyDown) {
    if (s.HotKeyCode == 0 || (msg.wParam & 0xFFFF) != s.HotKeyCode) return false;
    if (!system.GetKeyboardState(state.keyState) || !HotModifiersMatch(s, state.keyState))
      return false;
    PostPopupRequest(state, system);
    msg = HookMsg{0, state.pasteMessage, kSwallowedKey, 0};
    return true;
  }
  // A failed registration leaves 0, which must not turn WM_NULL into a request.
  if (msg.message != state.pasteMessage || state.pasteMessage == 0) return false;
  bool rewritten = false;
  OnPasteMessage(state, system, msg, rewritten);
  return rewritten;
}

void OnCallWndProc(HookState& state, HookSystem& system, int code, std::uint32_t message,
                   std::uintptr_t wParam, std::intptr_t lParam) noexcept {
  EnsureSettings(state, system);
  if (code != kHcAction || state.localCopy.MenuLink == 0) return;
  if (message == kWmContextMenu) {
    state.lastMenuSelection = kNoSelection;
    return;
  }
  if (message == kWmMenuSelect) {
    OnMenuSelect(state, system, wParam, lParam);
    return;
  }
  if (message != kWmInitMenuPopup) return;
  const Handle menu = wParam;
  const auto id = static_cast<std::uint32_t>(state.localCopy.MenuId);
  if (system.GetMenuState(menu, id, MenuBy::kCommand) != kNoMenuItem) return;
  if (IsProgramProcess(state, system)) return;
  for (std::uint32_t pos = 0; pos <= kLastLinkPosition; ++pos) {
    if (system.GetMenuState(menu, pos, MenuBy::kPosition) == kNoMenuItem) return;
    if (IsPasteItem(state, system, menu, pos, MenuBy::kPosition)) {
      system.AppendSeparator(menu, 0xFFFF);
      system.AppendString(menu, id, state.localCopy.MenuCap);
      return;
    }
  }
}

void OnSysMsgFilter(HookState& state, HookSystem& system, int code, const HookMsg& msg) noexcept {
  EnsureSettings(state, system);
  const UnionData& s = state.localCopy;
  if (code != kMsgfMenu || s.MenuLink == 0) return;
  switch (msg.message) {
    case kWmMenuSelect: OnMenuSelect(state, system, msg.wParam, msg.lParam); return;
    case kWmKeyDown:
      if (msg.wParam != kVkReturn) return;
      [[fallthrough]];
    case kWmLButtonUp:
    case kWmRButtonUp: {
      const std::int32_t last = state.lastMenuSelection;
      if (state.lastMenuSelection != kNoSelection && (last == s.MenuId || last == s.MenuId - 1))
        PostPopupRequest(state, system);
      state.lastMenuSelection = kNoSelection;
      return;
    }
    default: return;
  }
}

}  // namespace ambrel::hooklib
