#include "platform/window_text_win32.h"

namespace ambrel::win32 {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  // The length asked first may be larger than what is copied (it may count
  // bytes of characters that the copy converts otherwise).
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace ambrel::win32
