// The hook logic's window-system calls, made for real in the calling thread.
#pragma once

#include <windows.h>

#include "hooklib/hook_system.h"
#include "hooklib/settings_block_win32.h"

namespace ambrel::hooklib {

inline HWND ToHwnd(Handle h) noexcept { return reinterpret_cast<HWND>(h); }
// The block keeps window and hook handles in 32 bits; they are sign-extended
// back, as the system does with handles passed between 32- and 64-bit code.
inline std::uint32_t ToHandle32(const void* h) noexcept {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(h));
}
template <typename T>
T FromHandle32(std::uint32_t v) noexcept {
  return reinterpret_cast<T>(static_cast<std::intptr_t>(static_cast<std::int32_t>(v)));
}

class Win32HookSystem final : public HookSystem {
 public:
  explicit Win32HookSystem(SettingsBlock& block) : block_(block) {}

  bool ReloadSettings(UnionData& copy) noexcept override { return block_.Reload(copy); }
  std::uint32_t RegisterPasteMessage() noexcept override {
    return ::RegisterWindowMessageA(kPasteMessageName);
  }
  bool GetKeyboardState(std::uint8_t state[256]) noexcept override {
    return ::GetKeyboardState(state) != FALSE;
  }
  void SetKeyboardState(std::uint8_t state[256]) noexcept override { ::SetKeyboardState(state); }
  std::uint32_t OemKeyScan(std::uint32_t vk) noexcept override {
    return static_cast<std::uint32_t>(::OemKeyScan(static_cast<WORD>(vk)));
  }
  Handle GetFocus() noexcept override { return reinterpret_cast<Handle>(::GetFocus()); }
  Handle GetForegroundWindow() noexcept override {
    return reinterpret_cast<Handle>(::GetForegroundWindow());
  }
  void SetForegroundWindow(Handle window) noexcept override { ::SetForegroundWindow(ToHwnd(window)); }
  void SetActiveWindow(Handle window) noexcept override { ::SetActiveWindow(ToHwnd(window)); }
  bool GetCaretPos(Point& point) noexcept override;
  void ClientToScreen(Handle window, Point& point) noexcept override;
  void GetCursorPos(Point& point) noexcept override;
  std::uint32_t RegisterPopupRequest() noexcept override {
    return ::RegisterWindowMessageA(kPopupRequestName);
  }
  void PostMessage(Handle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) noexcept override {
    ::PostMessageA(ToHwnd(window), message, wParam, lParam);
  }
  void PostToOwnThread(std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) noexcept override {
    ::PostMessageA(nullptr, message, wParam, lParam);
  }
  bool IsCurrentProcessWindow(Handle window) noexcept override;
  std::uint32_t GetMenuState(Handle menu, std::uint32_t item, MenuBy by) noexcept override;
  void GetMenuString(Handle menu, std::uint32_t item, MenuBy by, char* buffer,
                     int size) noexcept override;
  void AppendSeparator(Handle menu, std::uint32_t id) noexcept override;
  void AppendString(Handle menu, std::uint32_t id, const char* caption) noexcept override;
  void ReplaceItemId(Handle menu, std::uint32_t id, std::uint32_t newId,
                     const char* caption) noexcept override;

 private:
  SettingsBlock& block_;
};

}  // namespace ambrel::hooklib
