#include "platform/clipboard_win32.h"

#include <cstring>

namespace ambrel::win32 {

ClipboardScope::ClipboardScope(HWND owner) {
  // The program that just wrote the clipboard, or another viewer reading it,
  // may still hold it; on a loaded machine that lasts longer than a moment.
  // At most a fifth of a second, so the window never stalls for long.
  for (int attempt = 0; attempt < 40 && !open_; ++attempt) {
    open_ = OpenClipboard(owner) != 0;
    if (!open_) Sleep(5);
  }
}

ClipboardScope::~ClipboardScope() {
  if (open_) CloseClipboard();
}

std::optional<std::string> Win32Clipboard::GetText() {
  ClipboardScope scope(owner_);
  if (!scope) return std::nullopt;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return std::nullopt;
  const auto* bytes = static_cast<const char*>(GlobalLock(data));
  if (!bytes) return std::nullopt;
  // The block may lack its NUL; never read past its size.
  const std::size_t size = GlobalSize(data);
  std::string text(bytes, strnlen(bytes, size));
  GlobalUnlock(data);
  return text;
}

bool Win32Clipboard::SetText(std::string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return false;
  auto* bytes = static_cast<char*>(GlobalLock(block));
  std::memcpy(bytes, text.data(), text.size());
  bytes[text.size()] = '\0';
  GlobalUnlock(block);
  ClipboardScope scope(owner_);
  if (!scope || !EmptyClipboard() || !SetClipboardData(CF_TEXT, block)) {
    GlobalFree(block);
    return false;
  }
  return true;
}

bool Win32Clipboard::AsksNotToRecord() {
  static const UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
  static const UINT ignore = RegisterClipboardFormatA("Clipboard Viewer Ignore");
  static const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
  if (IsClipboardFormatAvailable(exclude) || IsClipboardFormatAvailable(ignore)) return true;
  if (!IsClipboardFormatAvailable(history)) return false;
  // A mark that cannot be read counts as a refusal: a private copy is never
  // recorded because the clipboard was busy.
  ClipboardScope scope(owner_);
  if (!scope) return true;
  HANDLE data = GetClipboardData(history);
  if (!data || GlobalSize(data) < sizeof(DWORD)) return false;
  const auto* value = static_cast<const DWORD*>(GlobalLock(data));
  const bool refused = value && *value == 0;
  GlobalUnlock(data);
  return refused;
}

}  // namespace ambrel::win32
