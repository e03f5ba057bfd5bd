// The few window-system calls the hook logic makes, behind an interface so
// the logic runs (and is tested) without the system. Handles are plain
// integers here; the Win32 side converts.
#pragma once

#include <cstdint>

#include "hooklib/union_data.h"

namespace ambrel::hooklib {

using Handle = std::uintptr_t;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

enum class MenuBy { kCommand, kPosition };

inline constexpr std::uint32_t kNoMenuItem = 0xFFFFFFFF;  // GetMenuState's "no such item"

class HookSystem {
 public:
  virtual ~HookSystem() = default;

  // Maps the shared block, copies its bytes into `copy` as they are and
  // unmaps, without telling other processes and without a word to the user
  // (this runs inside other programs). False leaves `copy` as it was.
  virtual bool ReloadSettings(UnionData& copy) noexcept = 0;
  virtual std::uint32_t RegisterPasteMessage() noexcept = 0;

  virtual bool GetKeyboardState(std::uint8_t state[256]) noexcept = 0;
  virtual void SetKeyboardState(std::uint8_t state[256]) noexcept = 0;
  virtual std::uint32_t OemKeyScan(std::uint32_t vk) noexcept = 0;

  virtual Handle GetFocus() noexcept = 0;
  virtual Handle GetForegroundWindow() noexcept = 0;
  virtual void SetForegroundWindow(Handle window) noexcept = 0;
  // Activates a window of the calling thread, which gives it the focus.
  virtual void SetActiveWindow(Handle window) noexcept = 0;
  virtual bool GetCaretPos(Point& point) noexcept = 0;
  virtual void ClientToScreen(Handle window, Point& point) noexcept = 0;
  virtual void GetCursorPos(Point& point) noexcept = 0;

  virtual std::uint32_t RegisterPopupRequest() noexcept = 0;
  virtual void PostMessage(Handle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) noexcept = 0;
  // Posts to the calling thread (a message for no window).
  virtual void PostToOwnThread(std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) noexcept = 0;
  // The process owning `window` is the calling process.
  virtual bool IsCurrentProcessWindow(Handle window) noexcept = 0;

  virtual std::uint32_t GetMenuState(Handle menu, std::uint32_t item, MenuBy by) noexcept = 0;
  // Copies the item's caption into buffer (size bytes, always terminated);
  // an empty caption when the item has none.
  virtual void GetMenuString(Handle menu, std::uint32_t item, MenuBy by, char* buffer,
                             int size) noexcept = 0;
  virtual void AppendSeparator(Handle menu, std::uint32_t id) noexcept = 0;
  virtual void AppendString(Handle menu, std::uint32_t id, const char* caption) noexcept = 0;
  // Gives the item `id` a new command id, keeping it a string item with `caption`.
  virtual void ReplaceItemId(Handle menu, std::uint32_t id, std::uint32_t newId,
                             const char* caption) noexcept = 0;
};

}  // namespace ambrel::hooklib
