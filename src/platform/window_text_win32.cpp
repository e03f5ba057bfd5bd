#include "platform/window_text_win32.h"

#include <algorithm>
#include <climits>

namespace ambrel::win32 {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  // The length may count characters rather than bytes (a rich edit does
  // under Wine), and a text that does not fit may come back empty rather
  // than cut: room for two bytes a character. What is copied may be less.
  const std::size_t room = std::min<std::size_t>(static_cast<std::size_t>(length) * 2 + 1, INT_MAX);
  std::string text(room, '\0');
  const int copied = GetWindowTextA(window, text.data(), static_cast<int>(room));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace ambrel::win32
