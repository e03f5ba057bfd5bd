// The clipboard on Win32: read from CF_UNICODETEXT (CF_TEXT when there is no
// Unicode text) and converted with code page 932; written as CF_UNICODETEXT,
// CF_TEXT and CF_LOCALE Japanese.
#pragma once

#include <windows.h>

#include "platform/clipboard.h"

namespace ambrel::win32 {

class Win32Clipboard : public Clipboard {
 public:
  explicit Win32Clipboard(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  bool HasText() override {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0 || IsClipboardFormatAvailable(CF_TEXT) != 0;
  }
  std::optional<std::string> GetText() override;
  bool SetText(std::string_view text, std::u16string_view original = {}) override;
  std::uint32_t SequenceNumber() override { return GetClipboardSequenceNumber(); }
  std::unique_ptr<ClipboardReading> OpenForReading() override;

 private:
  HWND owner_;
};

// Opens the clipboard for the life of the scope; other programs may hold it
// for a moment, so opening is retried briefly.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner);
  ~ClipboardScope();
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace ambrel::win32
