// How the program hears that the clipboard changed. The resident window is
// in the clipboard viewer chain and, where the system has them (Windows Vista
// and later, and Wine), a clipboard format listener as well:
// - the chain's notification is sent when the writer closes the clipboard,
//   so a copy is read before a program can replace it; the listener's is
//   posted, and Wine posts it tens of milliseconds late, after a copy that
//   quickly follows has replaced the first;
// - the listener waits for no other program: a viewer ahead of this one that
//   hangs or leaves the chain badly does not cut it off, and this one passes
//   the chain's messages on without waiting, so a hung viewer after it does
//   not hang it, and leaves the chain without waiting on one ahead.
// Each change is read once, at whichever notification comes first.
// Everything that knows the mechanism is here; what a change does is
// ClipboardCapture's.
#pragma once

#include <windows.h>

namespace ambrel::app {
class ClipboardCapture;
}

namespace ambrel::win32 {

class ClipboardFeed {
 public:
  explicit ClipboardFeed(app::ClipboardCapture& capture) : capture_(capture) {}
  ClipboardFeed(const ClipboardFeed&) = delete;
  ClipboardFeed& operator=(const ClipboardFeed&) = delete;

  // window receives the feed's messages from now on and routes them here.
  // The clipboard as it stands is taken at once, as the chain tells a
  // joining viewer.
  void Join(HWND window);
  void Leave();
  // Takes the feed's messages to the joined window; false for any other.
  bool Route(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  using ListenerFunction = BOOL(WINAPI*)(HWND);

  // A notification from either source: the change is read unless it was.
  void Changed();

  app::ClipboardCapture& capture_;
  HWND window_ = nullptr;
  // Set while the window is also a format listener.
  ListenerFunction removeListener_ = nullptr;
  HWND nextViewer_ = nullptr;
  DWORD lastHeard_ = 0;  // the clipboard's sequence number at the last change read
};

}  // namespace ambrel::win32
