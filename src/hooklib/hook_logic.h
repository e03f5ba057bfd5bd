// What the three hook procedures decide, for every message of every GUI
// thread on the desktop. The common path is a few comparisons on the
// process's copy of the settings: no allocation, no call into the system.
#pragma once

#include <cstdint>

#include "hooklib/hook_system.h"
#include "hooklib/union_data.h"

namespace ambrel::hooklib {

inline constexpr std::uint16_t kNoSelection = 0xFFFF;
inline constexpr int kCaptionBufferSize = 50;
// The last menu position the menu link looks at.
inline constexpr std::uint32_t kLastLinkPosition = 100;

// Paste-request wParam values.
inline constexpr std::uintptr_t kPasteByMessage = 0;
inline constexpr std::uintptr_t kPasteByKeys = 1;
inline constexpr std::uintptr_t kReleaseModifier = 2;
inline constexpr std::uintptr_t kReloadSettings = 3;
inline constexpr std::uintptr_t kSwallowedKey = 0xFFFFFFFF;

// Per-process state of the library; its threads share it without a lock.
struct HookState {
  UnionData localCopy{};
  std::uint32_t pasteMessage = 0;
  std::uint16_t lastMenuSelection = kNoSelection;
  // The menu whose Paste item was renumbered last: the same selection seen
  // again through the other hook must leave the renumbered choice standing.
  Handle renumberedMenu = 0;
  // The first load (in the first hook call, never while the library is being
  // loaded) is tried once: a block this process cannot open means no hot key
  // here, not a retry inside every message.
  bool loadTried = false;
  std::uint8_t keyState[256] = {};
  char caption[kCaptionBufferSize] = {};
};

// A message as the hook sees it; the hook may rewrite it in place.
struct HookMsg {
  Handle window;
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

// y * 10000 + x, each coordinate held to 0..9999 so that the receiver's
// mod/div decoding gives the point back (a monitor left of or above the
// primary one yields negative coordinates).
std::int32_t PackPosition(Point point) noexcept;
Point UnpackPosition(std::uint32_t packed) noexcept;

// The caption starts with the CP932 bytes of "貼り付け" or with "&Paste".
bool IsPasteCaption(const char* caption) noexcept;

// The modifiers held (bit 7 of VK_SHIFT, VK_CONTROL, VK_MENU) are exactly
// those the hot key names.
bool HotModifiersMatch(const UnionData& settings, const std::uint8_t state[256]) noexcept;

// Reads the block into the copy through SanitizeSettings; a failed read
// leaves the copy as it was.
void LoadSettings(HookState& state, HookSystem& system) noexcept;
// Registers the paste message and loads the copy when this process never
// has; a failed load is not retried here (the reload request still does).
void EnsureSettings(HookState& state, HookSystem& system) noexcept;
bool IsPasteItem(HookState& state, HookSystem& system, Handle menu, std::uint32_t item,
                 MenuBy by) noexcept;
bool IsProgramProcess(const HookState& state, HookSystem& system) noexcept;
void PostPopupRequest(const HookState& state, HookSystem& system) noexcept;

// WH_GETMESSAGE: the hot key and the paste requests. Returns true when msg
// was rewritten.
bool OnGetMessage(HookState& state, HookSystem& system, int code, std::uintptr_t removal,
                  HookMsg& msg) noexcept;
// WH_CALLWNDPROC: links the program's item into edit menus as they open, and
// follows the menu selection from the WM_MENUSELECT sent to the menu's owner
// (some systems never pass that message through the menu loop's filter).
void OnCallWndProc(HookState& state, HookSystem& system, int code, std::uint32_t message,
                   std::uintptr_t wParam, std::intptr_t lParam) noexcept;
// WH_SYSMSGFILTER: follows the menu selection and turns a choice of the linked
// item (or of a replaced Paste item) into a pop-up request.
void OnSysMsgFilter(HookState& state, HookSystem& system, int code, const HookMsg& msg) noexcept;

}  // namespace ambrel::hooklib
