// The clipboard as another program sees it. Every access opens the
// clipboard with retries: the program under test and Wine's clipboard
// manager hold it for short moments after each change.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ambrel::e2e {

// OpenClipboard retried for up to `timeoutMs`; pair with CloseClipboard.
bool OpenClipboardRetry(unsigned timeoutMs = 3000);

// CF_TEXT bytes up to the first NUL; nothing when the clipboard has no text
// or cannot be opened.
std::optional<std::string> ReadClipboardText();
bool SetClipboardText(const std::string& text);
// Only CF_UNICODETEXT, as a Unicode program copies (no CF_TEXT, no locale:
// the system would make CF_TEXT from it in its own code page).
bool SetClipboardUnicodeOnly(const std::wstring& text);
// CF_UNICODETEXT up to the first NUL.
std::optional<std::wstring> ReadClipboardUnicode();
// Only a bitmap of `width` x `height`: no text format at all (Windows does
// not synthesise text from a bitmap).
bool SetClipboardBitmapOnly(int width = 8, int height = 8);
// Only bytes in a registered private format.
bool SetClipboardPrivateOnly(const std::string& formatName = "Ambrel E2E Private",
                             const std::string& bytes = "private");
bool EmptyClipboardNow();

// The formats by which a program asks clipboard tools not to record a copy.
enum class ClipboardMark {
  ExcludeFromMonitor,  // "ExcludeClipboardContentFromMonitorProcessing"
  ViewerIgnore,        // "Clipboard Viewer Ignore"
  NotForHistory,       // "CanIncludeInClipboardHistory" holding DWORD 0
};
const char* ClipboardMarkFormatName(ClipboardMark mark);
// Text plus the mark, set in one open/close of the clipboard.
bool SetClipboardTextMarked(const std::string& text, ClipboardMark mark);

bool ClipboardHasFormat(const std::string& registeredName);
// Changes with every write to the clipboard by anyone.
DWORD ClipboardSequence();

}  // namespace ambrel::e2e
