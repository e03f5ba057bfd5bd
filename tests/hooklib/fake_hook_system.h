// A scripted window system for the hook logic: records every call, answers
// from plain fields.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "hooklib/hook_system.h"

namespace ambrel::hooklib {

struct PostedMessage {
  Handle window;  // 0 for the own thread
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  bool operator==(const PostedMessage&) const = default;
};

class FakeHookSystem : public HookSystem {
 public:
  // The shared block as the other processes left it.
  UnionData shared{};
  bool mapFails = false;
  std::uint8_t keys[256] = {};
  Handle focus = 0x10, foreground = 0x20;
  Handle focusOnActivation = 0x11;  // the focus SetActiveWindow gives
  Point caret, cursor;
  Point clientOrigin{1000, 2000};  // added by ClientToScreen
  std::uint32_t popupMessage = 0xC101;
  bool ownProcess = false;
  // menu -> captions by position; an item's id is 500 + position unless set.
  std::map<Handle, std::vector<std::string>> menus;
  std::map<Handle, std::map<std::uint32_t, std::uint32_t>> ids;  // position -> id

  std::uint32_t pasteMessageNumber = 0xC200;
  // Captions handed to the menu calls that did not end within the block's
  // 31 bytes (read no further than that).
  int overlongCaptions = 0;

  int calls = 0;
  int reloads = 0;
  std::vector<PostedMessage> posted;
  std::vector<Handle> foregroundSet, activated;
  std::vector<std::string> appended;  // "menu:id:caption" ("-" caption for a separator)
  std::vector<std::string> replaced;  // "menu:id->newId:caption"

  bool ReloadSettings(UnionData& copy) noexcept override {
    ++calls;
    ++reloads;
    if (mapFails) return false;
    copy = shared;
    return true;
  }
  std::uint32_t RegisterPasteMessage() noexcept override { ++calls; return pasteMessageNumber; }
  bool GetKeyboardState(std::uint8_t state[256]) noexcept override {
    ++calls;
    std::memcpy(state, keys, 256);
    return true;
  }
  void SetKeyboardState(std::uint8_t state[256]) noexcept override {
    ++calls;
    std::memcpy(keys, state, 256);
  }
  std::uint32_t OemKeyScan(std::uint32_t vk) noexcept override {
    ++calls;
    return vk == 'V' ? 0x2F : 0x52;
  }
  Handle GetFocus() noexcept override { ++calls; return focus; }
  Handle GetForegroundWindow() noexcept override { ++calls; return foreground; }
  void SetForegroundWindow(Handle window) noexcept override {
    ++calls;
    foregroundSet.push_back(window);
    foreground = window;
  }
  void SetActiveWindow(Handle window) noexcept override {
    ++calls;
    activated.push_back(window);
    focus = focusOnActivation;
  }
  bool GetCaretPos(Point& point) noexcept override { ++calls; point = caret; return true; }
  void ClientToScreen(Handle, Point& point) noexcept override {
    ++calls;
    point.x += clientOrigin.x;
    point.y += clientOrigin.y;
  }
  void GetCursorPos(Point& point) noexcept override { ++calls; point = cursor; }
  std::uint32_t RegisterPopupRequest() noexcept override { ++calls; return popupMessage; }
  void PostMessage(Handle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) noexcept override {
    ++calls;
    posted.push_back({window, message, wParam, lParam});
  }
  void PostToOwnThread(std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) noexcept override {
    ++calls;
    posted.push_back({0, message, wParam, lParam});
  }
  bool IsCurrentProcessWindow(Handle) noexcept override { ++calls; return ownProcess; }

  std::uint32_t IdAt(Handle menu, std::uint32_t pos) {
    auto it = ids[menu].find(pos);
    return it == ids[menu].end() ? 500 + pos : it->second;
  }
  int PositionOf(Handle menu, std::uint32_t item, MenuBy by) {
    const auto& items = menus[menu];
    if (by == MenuBy::kPosition) return item < items.size() ? static_cast<int>(item) : -1;
    for (std::uint32_t p = 0; p < items.size(); ++p)
      if (IdAt(menu, p) == item) return static_cast<int>(p);
    return -1;
  }
  std::uint32_t GetMenuState(Handle menu, std::uint32_t item, MenuBy by) noexcept override {
    ++calls;
    return PositionOf(menu, item, by) < 0 ? kNoMenuItem : 0;
  }
  void GetMenuString(Handle menu, std::uint32_t item, MenuBy by, char* buffer,
                     int size) noexcept override {
    ++calls;
    const int pos = PositionOf(menu, item, by);
    const std::string text = pos < 0 ? "" : menus[menu][static_cast<std::size_t>(pos)];
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
  }
  void AppendSeparator(Handle menu, std::uint32_t id) noexcept override {
    ++calls;
    appended.push_back(std::to_string(menu) + ":" + std::to_string(id) + ":-");
  }
  void AppendString(Handle menu, std::uint32_t id, const char* caption) noexcept override {
    ++calls;
    if (!std::memchr(caption, '\0', kMenuCapSize + 1)) {
      ++overlongCaptions;
      return;
    }
    appended.push_back(std::to_string(menu) + ":" + std::to_string(id) + ":" + caption);
  }
  void ReplaceItemId(Handle menu, std::uint32_t id, std::uint32_t newId,
                     const char* caption) noexcept override {
    ++calls;
    replaced.push_back(std::to_string(menu) + ":" + std::to_string(id) + "->" +
                       std::to_string(newId) + ":" + caption);
    const int pos = PositionOf(menu, id, MenuBy::kCommand);
    if (pos >= 0) ids[menu][static_cast<std::uint32_t>(pos)] = newId;
  }
};

}  // namespace ambrel::hooklib
