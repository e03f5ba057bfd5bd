#include "hooklib/hook_system_win32.h"

namespace ambrel::hooklib {
namespace {

HMENU ToMenu(Handle h) { return reinterpret_cast<HMENU>(h); }
UINT Flag(MenuBy by) { return by == MenuBy::kPosition ? MF_BYPOSITION : MF_BYCOMMAND; }

}  // namespace

bool Win32HookSystem::GetCaretPos(Point& point) noexcept {
  POINT p{};
  if (!::GetCaretPos(&p)) return false;
  point = {p.x, p.y};
  return true;
}

void Win32HookSystem::ClientToScreen(Handle window, Point& point) noexcept {
  POINT p{point.x, point.y};
  ::ClientToScreen(ToHwnd(window), &p);
  point = {p.x, p.y};
}

void Win32HookSystem::GetCursorPos(Point& point) noexcept {
  POINT p{};
  ::GetCursorPos(&p);
  point = {p.x, p.y};
}

bool Win32HookSystem::IsCurrentProcessWindow(Handle window) noexcept {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(ToHwnd(window), &pid);
  return pid == ::GetCurrentProcessId();
}

std::uint32_t Win32HookSystem::GetMenuState(Handle menu, std::uint32_t item, MenuBy by) noexcept {
  return static_cast<std::uint32_t>(::GetMenuState(ToMenu(menu), item, Flag(by)));
}

void Win32HookSystem::GetMenuString(Handle menu, std::uint32_t item, MenuBy by, char* buffer,
                                    int size) noexcept {
  const int n = ::GetMenuStringA(ToMenu(menu), item, buffer, size, Flag(by));
  buffer[n > 0 && n < size ? n : 0] = '\0';
}

void Win32HookSystem::AppendSeparator(Handle menu, std::uint32_t id) noexcept {
  ::AppendMenuA(ToMenu(menu), MF_SEPARATOR, id, "");
}

void Win32HookSystem::AppendString(Handle menu, std::uint32_t id, const char* caption) noexcept {
  ::AppendMenuA(ToMenu(menu), MF_STRING, id, caption);
}

void Win32HookSystem::ReplaceItemId(Handle menu, std::uint32_t id, std::uint32_t newId,
                                    const char* caption) noexcept {
  ::ModifyMenuA(ToMenu(menu), id, MF_BYCOMMAND | MF_STRING, newId, caption);
}

}  // namespace ambrel::hooklib
