#include "harness/clipboard.h"

#include <cstring>

#include "harness/wait.h"

namespace ambrel::e2e {
namespace {

HGLOBAL GlobalBytes(const void* data, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  void* target = GlobalLock(memory);
  std::memcpy(target, data, size);
  GlobalUnlock(memory);
  return memory;
}

HGLOBAL GlobalText(const std::string& text) { return GlobalBytes(text.c_str(), text.size() + 1); }

// Empties the clipboard and puts the data that `fill` sets; the clipboard
// is closed on every path.
template <typename Fill>
bool ReplaceClipboard(Fill fill) {
  if (!OpenClipboardRetry()) return false;
  bool ok = EmptyClipboard() != FALSE;
  if (ok) ok = fill();
  CloseClipboard();
  return ok;
}

bool PutGlobal(UINT format, HGLOBAL memory) {
  if (!memory) return false;
  if (SetClipboardData(format, memory)) return true;
  GlobalFree(memory);
  return false;
}

// Windows refuses SetClipboardData after EmptyClipboard when the clipboard
// was opened without a window (Wine allows it), so the test program owns
// the clipboard through a message-only window of its own.
HWND ClipboardOwner() {
  static HWND owner = CreateWindowExA(0, "STATIC", "ambrel e2e clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  return owner;
}

}  // namespace

bool OpenClipboardRetry(unsigned timeoutMs) {
  HWND owner = ClipboardOwner();
  return WaitUntil([owner] { return OpenClipboard(owner) != FALSE; }, timeoutMs, 10);
}

std::optional<std::string> ReadClipboardText() {
  if (!OpenClipboardRetry()) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = std::string(bytes, strnlen(bytes, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool SetClipboardText(const std::string& text) {
  return ReplaceClipboard([&] { return PutGlobal(CF_TEXT, GlobalText(text)); });
}

bool SetClipboardUnicodeOnly(const std::wstring& text) {
  return ReplaceClipboard(
      [&] { return PutGlobal(CF_UNICODETEXT, GlobalBytes(text.c_str(), (text.size() + 1) * sizeof(wchar_t))); });
}

std::optional<std::wstring> ReadClipboardUnicode() {
  if (!OpenClipboardRetry()) return std::nullopt;
  std::optional<std::wstring> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = std::wstring(units, wcsnlen(units, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool SetClipboardBitmapOnly(int width, int height) {
  return ReplaceClipboard([&] {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!bitmap) return false;
    if (SetClipboardData(CF_BITMAP, bitmap)) return true;
    DeleteObject(bitmap);
    return false;
  });
}

bool SetClipboardPrivateOnly(const std::string& formatName, const std::string& bytes) {
  const UINT format = RegisterClipboardFormatA(formatName.c_str());
  if (!format) return false;
  return ReplaceClipboard([&] { return PutGlobal(format, GlobalBytes(bytes.data(), bytes.size())); });
}

bool EmptyClipboardNow() {
  return ReplaceClipboard([] { return true; });
}

const char* ClipboardMarkFormatName(ClipboardMark mark) {
  switch (mark) {
    case ClipboardMark::ExcludeFromMonitor: return "ExcludeClipboardContentFromMonitorProcessing";
    case ClipboardMark::ViewerIgnore: return "Clipboard Viewer Ignore";
    case ClipboardMark::NotForHistory: return "CanIncludeInClipboardHistory";
  }
  return "";
}

bool SetClipboardTextMarked(const std::string& text, ClipboardMark mark) {
  const UINT format = RegisterClipboardFormatA(ClipboardMarkFormatName(mark));
  if (!format) return false;
  return ReplaceClipboard([&] {
    // Viewers are told at CloseClipboard, so both formats are there by then.
    const DWORD zero = 0;
    const std::string empty;
    HGLOBAL markData = mark == ClipboardMark::NotForHistory ? GlobalBytes(&zero, sizeof zero)
                                                            : GlobalBytes(empty.c_str(), 1);
    return PutGlobal(format, markData) && PutGlobal(CF_TEXT, GlobalText(text));
  });
}

bool ClipboardHasFormat(const std::string& registeredName) {
  const UINT format = RegisterClipboardFormatA(registeredName.c_str());
  return format && IsClipboardFormatAvailable(format);
}

DWORD ClipboardSequence() { return GetClipboardSequenceNumber(); }

}  // namespace ambrel::e2e
